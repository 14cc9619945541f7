#pragma once
// The picture files loaded at start-up, in their loading order, and the
// messages that report a missing or a damaged one.

#include <array>
#include <string>

namespace quimba::ui {

enum class PictureTarget { MainTexture, SetupTexture, TablePicture };

struct PictureFile {
    const char* name;  // inside the "bitmaps" folder
    PictureTarget target;
    int picture;  // picture number for TablePicture, else -1
};

inline constexpr const char* kBitmapsFolder = "bitmaps";

inline constexpr std::array<PictureFile, 11> kPictureFiles{{
    {"B_fond.bmp", PictureTarget::MainTexture, -1},
    {"B_ngame.bmp", PictureTarget::SetupTexture, -1},
    {"B_plateau.bmp", PictureTarget::TablePicture, 0},
    {"B_1.bmp", PictureTarget::TablePicture, 1},
    {"B_2.bmp", PictureTarget::TablePicture, 2},
    {"B_3.bmp", PictureTarget::TablePicture, 3},
    {"B_4.bmp", PictureTarget::TablePicture, 4},
    {"B_5.bmp", PictureTarget::TablePicture, 5},
    {"B_6.bmp", PictureTarget::TablePicture, 6},
    {"B_garde.bmp", PictureTarget::TablePicture, 7},
    {"B_bord.bmp", PictureTarget::TablePicture, 8},
}};

// `folder` ends in its separator; `relative` is "bitmaps" + separator + name.
// The first file's message names the folder as well.
inline std::string MissingPictureMessage(std::size_t order, const std::string& folder, const std::string& relative) {
    if (order == 0) return "Fichier >" + folder + "< " + relative + " absent. ARRET";
    return "Fichier " + relative + " absent. ARRET";
}

// A file that is there but holds no usable picture is told apart from a
// missing one, with the reason, so the player knows what to replace.
inline std::string DamagedPictureMessage(std::size_t order, const std::string& folder, const std::string& relative,
                                         const std::string& reason) {
    const std::string name = order == 0 ? ">" + folder + "< " + relative : relative;
    return "Fichier " + name + " illisible (" + reason + "). ARRET";
}

}  // namespace quimba::ui

#pragma once
// The pictures of the windows, read at start-up: the two textures and the
// dice table's pictures, each file checked as it is read.

#include <QImage>
#include <QString>
#include <QStringList>
#include <vector>

#include "PictureList.h"
#include "ProgramFiles.h"
#include "TTexturePanel.h"
#include "UiWidgets.h"

namespace quimba::ui {

// Every picture file read and decoded, in the formats the windows draw
// with, and a message for each missing or damaged one.
struct DecodedPictures {
    std::vector<QImage> images;  // in the order of the picture files; null where unreadable
    QStringList messages;
};

// Touches no widget, so it may run on a worker thread while the windows
// are being built.
DecodedPictures DecodeWindowPictures(const ProgramFiles& files);

// Hands decoded pictures to the table and the two textures (the setup's may
// be absent) and returns their messages; any message means the start-up
// must end.
QStringList ApplyWindowPictures(const DecodedPictures& pictures, TPictureList& table, TTexturePanel& mainTexture,
                                TTexturePanel* setupTexture);

}  // namespace quimba::ui

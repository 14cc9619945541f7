#pragma once
// The game's own pictures and sounds, drawn and synthesised from code so
// that every file in data/ can be made again, byte for byte.

#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstdint>
#include <vector>

namespace quimba::assets {

// Die pictures: a 70 × 60 picture whose body covers the box where the mouse
// picks a die (10..60 right, 10..50 down of the picture's corner).
inline constexpr int kDieWidth = 70;
inline constexpr int kDieHeight = 60;
// Nothing of a die picture lies right of this column (see makeDie).
inline constexpr int kDieBodyRight = 60;
inline constexpr int kBoardWidth = 526;
inline constexpr int kBoardHeight = 332;

// Where the roll picture sits on the main window's panel; its background is
// cut from the panel texture so it blends in.
inline constexpr int kRollPictureLeft = 738;
inline constexpr int kRollPictureTop = 440;

// The colour key of every picture drawn over the dice table.
inline constexpr QRgb kKeyBlue = 0xff0000ffu;

QImage MakeBoard();
QImage MakeDie(int face);  // face 1..6
QImage MakeKeepMark();
QImage MakeBorder();
QImage MakeMainTexture();    // tiled behind the main window
QImage MakeSetupTexture();   // tiled behind the player setup dialog
QImage MakeDialogTexture();  // dark grey, tiled behind help and best scores
QImage MakeRollPicture(const QImage& mainTexture);

struct Sound {
    int channels = 1;
    int sampleRate = 44100;
    std::vector<std::int16_t> samples;  // interleaved
    double seconds() const { return double(samples.size()) / double(channels) / double(sampleRate); }
};

Sound MakeRollSound();   // dice rattling on the table, stereo 44100 Hz
Sound MakeTallySound();  // short chime, mono 19000 Hz

QByteArray WaveBytes(const Sound& sound);

// The program's icon, drawn from one set of shapes on a 256-unit canvas:
// the scalable SVG text, and the picture at `size` pixels with transparency.
// The sizes up to 32 are drawn on their own pixel grid instead (a simpler die).
inline constexpr int kSmallIconSizes[] = {16, 22, 24, 32};
inline constexpr int kLargeIconSizes[] = {48, 128, 256};
inline constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 128, 256};
QString IconSvg();
QImage MakeIcon(int size);
// Where the icons lie under the output folder, as the desktop's icon theme
// wants them (hicolor/<size>x<size>/apps/, hicolor/scalable/apps/).
QString IconPath(int size);  // 0: the SVG

// Writes bitmaps/, resources/ and icons/ under `folder`; false with a reason
// on error.
bool WriteAll(const QString& folder, QString* error);

}  // namespace quimba::assets

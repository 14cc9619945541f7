#pragma once
// The pictures of the windows, read at start-up: the two textures and the
// dice table's pictures, each file checked as it is read.

#include <QString>
#include <QStringList>

#include "PictureList.h"
#include "ProgramFiles.h"
#include "TTexturePanel.h"
#include "UiWidgets.h"

namespace quimba::ui {

// Reads every picture file of `files` into `table` and the two textures (the
// setup's may be absent). Each missing or damaged file adds its message;
// any message means the start-up must end.
QStringList LoadWindowPictures(const ProgramFiles& files, TPictureList& table, TTexturePanel& mainTexture,
                               TTexturePanel* setupTexture);

}  // namespace quimba::ui

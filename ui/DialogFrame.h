#pragma once
// The frame the game's three dialogs share: name, title, a fixed client size
// and a close box but no resizing.

#include <QSize>
#include <QString>

#include "UiWidgets.h"

class QDialog;
class QImage;

namespace quimba::ui {

void SetUpDialog(QDialog& dialog, const char* name, const QString& title, QSize size);

// A texture fill "TextureFill1" over the whole dialog, tiled with `texture`.
TTextureFill* FillDialog(QDialog& dialog, const QImage* texture);

}  // namespace quimba::ui

#pragma once
// The one look shared by every command button of the game.

#include <QRect>
#include <QString>

#include "UiWidgets.h"

class QWidget;

namespace quimba::ui {

TGlassButton* MakeGlassButton(QWidget* parent, const char* name, const QRect& geometry, const QString& caption);

}  // namespace quimba::ui

// The frame the three dialogs share: name, title, fixed client size, a close box and no resizing.
#include "DialogFrame.h"

#include <QDialog>

#include "TTextureFill.h"
#include "UiWidgets.h"

namespace quimba::ui {

void SetUpDialog(QDialog& dialog, const char* name, const QString& title, QSize size) {
    dialog.setObjectName(name);
    dialog.setWindowTitle(title);
    dialog.setFixedSize(size);
    dialog.setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);
}

TTextureFill* FillDialog(QDialog& dialog, const QImage* texture) {
    auto* fill = new TTextureFill(&dialog);
    fill->setObjectName("TextureFill1");
    fill->setGeometry(dialog.rect());
    fill->SetTexture(texture);
    return fill;
}

}  // namespace quimba::ui

// The windows' pictures from the "bitmaps" folder, in their loading order.
#include "WindowPictures.h"

#include <QDir>
#include <QFileInfo>

#include "PictureFiles.h"

namespace quimba::ui {

QStringList LoadWindowPictures(const ProgramFiles& files, TPictureList& table, TTexturePanel& mainTexture,
                               TTexturePanel* setupTexture) {
    QStringList messages;
    const std::string folder = QDir::toNativeSeparators(files.dataDir).toStdString();
    for (std::size_t order = 0; order < kPictureFiles.size(); ++order) {
        const PictureFile& file = kPictureFiles[order];
        const std::string relative = (QString(kBitmapsFolder) + QDir::separator() + file.name).toStdString();
        const QString path = files.dataDir + kBitmapsFolder + "/" + file.name;
        // Textures and table pictures go through the same checks.
        QImage image;
        QString why;
        if (!QFileInfo::exists(path)) {  // anything else there is named by the reader
            messages << QString::fromStdString(MissingPictureMessage(order, folder, relative));
        } else if (!ReadPictureFile(path, image, &why)) {
            messages << QString::fromStdString(DamagedPictureMessage(order, folder, relative, why.toStdString()));
        } else if (file.target == PictureTarget::TablePicture) {
            table.SetPicture(file.picture, image);
        } else {
            image = image.convertToFormat(QImage::Format_RGB888);
            if (file.target == PictureTarget::MainTexture)
                mainTexture.SetTexture(image);
            else if (setupTexture)
                setupTexture->SetTexture(image);
        }
    }
    for (int i = 0; i < table.Count(); ++i) table.SetTransparentColor(i, qRgb(0, 0, 255));
    return messages;
}

}  // namespace quimba::ui

// The windows' pictures from the "bitmaps" folder, in their loading order.
#include "WindowPictures.h"

#include <QDir>
#include <QFileInfo>

#include "PictureFiles.h"

namespace quimba::ui {

DecodedPictures DecodeWindowPictures(const ProgramFiles& files) {
    DecodedPictures decoded;
    decoded.images.resize(kPictureFiles.size());
    const std::string folder = QDir::toNativeSeparators(files.dataDir).toStdString();
    for (std::size_t order = 0; order < kPictureFiles.size(); ++order) {
        const PictureFile& file = kPictureFiles[order];
        const std::string relative = (QString(kBitmapsFolder) + QDir::separator() + file.name).toStdString();
        const QString path = files.dataDir + kBitmapsFolder + "/" + file.name;
        // Textures and table pictures go through the same checks.
        QImage image;
        QString why;
        if (!QFileInfo::exists(path)) {  // anything else there is named by the reader
            decoded.messages << QString::fromStdString(MissingPictureMessage(order, folder, relative));
        } else if (!ReadPictureFile(path, image, &why)) {
            decoded.messages << QString::fromStdString(
                DamagedPictureMessage(order, folder, relative, why.toStdString()));
        } else {
            // Converted here, off the window's thread, to what each one is drawn from.
            decoded.images[order] = image.convertToFormat(
                file.target == PictureTarget::TablePicture ? TPictureList::kFormat : QImage::Format_RGB888);
        }
    }
    return decoded;
}

QStringList ApplyWindowPictures(const DecodedPictures& pictures, TPictureList& table, TTexturePanel& mainTexture,
                                TTexturePanel* setupTexture) {
    for (std::size_t order = 0; order < kPictureFiles.size() && order < pictures.images.size(); ++order) {
        const PictureFile& file = kPictureFiles[order];
        const QImage& image = pictures.images[order];
        if (image.isNull()) continue;
        if (file.target == PictureTarget::TablePicture)
            table.SetPicture(file.picture, image);
        else if (file.target == PictureTarget::MainTexture)
            mainTexture.SetTexture(image);
        else if (setupTexture)
            setupTexture->SetTexture(image);
    }
    for (int i = 0; i < table.Count(); ++i) table.SetTransparentColor(i, qRgb(0, 0, 255));
    return pictures.messages;
}

}  // namespace quimba::ui

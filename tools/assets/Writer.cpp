// Writes every generated picture, sound and icon into the folders the game
// and the package read them from.
#include "Assets.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quimba::assets {

namespace {

bool SaveBmp(const QImage& img, const QString& path, QString* error) {
    // RGB888 is written as a 24-bit BMP, which is what the game reads.
    const QImage rgb = img.convertToFormat(QImage::Format_RGB888);
    if (!rgb.save(path, "BMP")) {
        if (error) *error = QStringLiteral("cannot write ") + path;
        return false;
    }
    return true;
}

bool SaveBytes(const QByteArray& bytes, const QString& path, QString* error) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
        if (error) *error = QStringLiteral("cannot write ") + path;
        return false;
    }
    return true;
}

bool SavePng(const QImage& img, const QString& path, QString* error) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !img.save(path, "PNG")) {
        if (error) *error = QStringLiteral("cannot write ") + path;
        return false;
    }
    return true;
}

}  // namespace

QString IconPath(int size) {
    const QString name = QStringLiteral(QUIMBA_APP_ID);
    if (size == 0) return QStringLiteral("icons/hicolor/scalable/apps/") + name + ".svg";
    return QStringLiteral("icons/hicolor/%1x%1/apps/").arg(size) + name + ".png";
}

bool WriteAll(const QString& folder, QString* error) {
    const QString bitmaps = folder + QStringLiteral("/bitmaps");
    const QString resources = folder + QStringLiteral("/resources");
    if (!QDir().mkpath(bitmaps) || !QDir().mkpath(resources)) {
        if (error) *error = QStringLiteral("cannot create folders under ") + folder;
        return false;
    }
    const QImage fond = MakeMainTexture();
    bool ok = SaveBmp(fond, bitmaps + "/B_fond.bmp", error) &&
              SaveBmp(MakeSetupTexture(), bitmaps + "/B_ngame.bmp", error) &&
              SaveBmp(MakeBoard(), bitmaps + "/B_plateau.bmp", error);
    for (int face = 1; ok && face <= 6; ++face) {
        ok = SaveBmp(MakeDie(face), bitmaps + QStringLiteral("/B_%1.bmp").arg(face), error);
    }
    ok = ok && SaveBmp(MakeKeepMark(), bitmaps + "/B_garde.bmp", error) &&
         SaveBmp(MakeBorder(), bitmaps + "/B_bord.bmp", error) &&
         SaveBmp(MakeRollPicture(fond), resources + "/image1.bmp", error) &&
         SaveBmp(MakeDialogTexture(), resources + "/image2.bmp", error) &&
         SaveBytes(WaveBytes(MakeRollSound()), resources + "/pop.wav", error) &&
         SaveBytes(WaveBytes(MakeTallySound()), resources + "/tally.wav", error);
    for (int size : kIconSizes) ok = ok && SavePng(MakeIcon(size), folder + "/" + IconPath(size), error);
    if (ok) {
        const QString svg = folder + "/" + IconPath(0);
        ok = QDir().mkpath(QFileInfo(svg).absolutePath()) && SaveBytes(IconSvg().toUtf8(), svg, error);
        if (!ok && error && error->isEmpty()) *error = QStringLiteral("cannot write ") + svg;
    }
    return ok;
}

}  // namespace quimba::assets

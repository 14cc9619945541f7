// Writes PNG previews of every generated picture, and a dice table scene,
// so the drawings can be looked at without the game.
#include "Assets.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>

#include <cstdio>

using namespace quimba::assets;

namespace {

// Draws like the game does: every pixel except the key colour.
void DrawKeyed(QImage& target, const QImage& picture, int left, int top) {
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const int tx = left + x, ty = top + y;
            if (tx < 0 || ty < 0 || tx >= target.width() || ty >= target.height()) continue;
            const QRgb c = picture.pixel(x, y);
            if ((c & 0xffffff) == 0x0000ff) continue;
            target.setPixel(tx, ty, c);
        }
    }
}

QImage Zoom(const QImage& img, int factor) {
    return img.scaled(img.width() * factor, img.height() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-FOLDER [only]\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QString only = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    QDir().mkpath(out);
    QImage dice[7];
    for (int f = 1; f <= 6; ++f) dice[f] = MakeDie(f);
    QImage strip(kDieWidth * 6, kDieHeight, QImage::Format_RGB888);
    for (int f = 1; f <= 6; ++f) {
        QPainter p(&strip);
        p.drawImage((f - 1) * kDieWidth, 0, dice[f]);
    }
    QImage boxed = strip.copy();
    for (int f = 0; f < 6; ++f) {
        for (int x = 10; x <= 60; ++x) {
            for (int y : {10, 50}) boxed.setPixel(f * kDieWidth + x, y, qRgb(255, 0, 255));
        }
        for (int y = 10; y <= 50; ++y) {
            for (int x : {10, 60}) boxed.setPixel(f * kDieWidth + x, y, qRgb(255, 0, 255));
        }
    }
    Zoom(strip, 3).save(out + "/dice.png");
    Zoom(boxed, 3).save(out + "/dice-box.png");
    if (only == "dice") return 0;
    const QImage board = MakeBoard();
    board.save(out + "/board.png");
    QImage scene = board.copy();
    // Three dice resting after a throw, two in their kept places.
    const int rest[5][2] = {{288, 100}, {258, 150}, {216, 78}, {146, 160}, {74, 125}};
    const int faces[5] = {5, 3, 6, 2, 1};
    for (int i = 0; i < 5; ++i) {
        if (i == 1 || i == 3) continue;
        DrawKeyed(scene, dice[faces[i]], rest[i][0], rest[i][1]);
    }
    const QImage mark = MakeKeepMark();
    Zoom(mark, 6).save(out + "/mark.png");
    Zoom(MakeBorder(), 4).save(out + "/border.png");
    for (int i : {1, 3}) {
        const int kx = 240 - 45 * (i + 1), ky = 5 * (i + 1) - 10;
        DrawKeyed(scene, dice[faces[i]], kx, ky);
        DrawKeyed(scene, mark, kx + 20, ky + 20);
    }
    const QImage fond = MakeMainTexture();
    QImage panel(1024, 525, QImage::Format_RGB888);
    panel.fill(Qt::black);
    {
        QPainter p(&panel);
        for (int y = 1; y < 524; y += fond.height())
            for (int x = 1; x < 1023; x += fond.width()) p.drawImage(x, y, fond);
        p.drawImage(483, 72, scene);
        p.drawImage(kRollPictureLeft, kRollPictureTop, MakeRollPicture(fond));
        p.setPen(QColor(255, 255, 0));
        p.drawText(40, 470, "Joueur 1   Plus   Moins   Brelan");
        p.setPen(QColor(255, 60, 60));
        p.drawText(40, 500, "Meilleur score 250");
        p.fillRect(860, 440, 140, 62, QColor(0, 128, 128));
    }
    panel.save(out + "/panel.png");
    Zoom(MakeRollPicture(fond), 4).save(out + "/image1.png");
    auto tile = [&](const QImage& t, int w, int h, const QString& name) {
        QImage o(w, h, QImage::Format_RGB888);
        QPainter p(&o);
        for (int y = 0; y < h; y += t.height())
            for (int x = 0; x < w; x += t.width()) p.drawImage(x, y, t);
        p.setPen(QColor(255, 255, 0));
        p.drawText(30, 40, "Aide: lancez les dés, gardez-en, choisissez une ligne.");
        o.save(out + "/" + name);
    };
    tile(MakeSetupTexture(), 729, 297, "ngame.png");
    tile(MakeDialogTexture(), 536, 379, "image2.png");
    // A full row of kept dice, as after keeping all five.
    QImage row = board.copy();
    for (int i = 1; i <= 5; ++i) {
        const int kx = 240 - 45 * i, ky = 5 * i - 10;
        DrawKeyed(row, dice[i], kx, ky);
        DrawKeyed(row, mark, kx + 20, ky + 20);
    }
    row.copy(0, 0, 320, 110).scaled(960, 330).save(out + "/row.png");
    scene.save(out + "/scene.png");
    Zoom(scene, 2).save(out + "/scene2.png");
    return 0;
}

// Runs the asset generator into a temporary folder and checks what the game
// relies on: formats and sizes, the colour key, the dice's pick box, pips that
// stay readable on the kept row, seamless textures, sane sounds, and that the
// files committed in data/ are exactly what the generator writes.
#include "Assets.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <set>
#include <vector>

using namespace quimba::assets;

namespace {

std::unique_ptr<QTemporaryDir> gOut;

QByteArray readAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

std::uint32_t le32(const QByteArray& b, int at) {
    return std::uint32_t(std::uint8_t(b[at])) | std::uint32_t(std::uint8_t(b[at + 1])) << 8 |
           std::uint32_t(std::uint8_t(b[at + 2])) << 16 | std::uint32_t(std::uint8_t(b[at + 3])) << 24;
}
std::uint16_t le16(const QByteArray& b, int at) {
    return std::uint16_t(std::uint8_t(b[at]) | std::uint8_t(b[at + 1]) << 8);
}

QString generated(const QString& rel) { return gOut->path() + "/" + rel; }
QImage picture(const QString& rel) { return QImage(generated(rel)).convertToFormat(QImage::Format_RGB32); }

bool isKey(QRgb c) { return (c & 0xffffff) == 0x0000ff; }
int luma(QRgb c) { return (qRed(c) * 30 + qGreen(c) * 59 + qBlue(c) * 11) / 100; }

// The pick box, bounds excluded.
bool inPickBox(int x, int y) { return x > 10 && x < 60 && y > 10 && y < 50; }

// Pips: dark blobs enclosed by the die's face, centred in the pick box. Dark
// pixels that reach the see-through background are the outline or shadow.
std::vector<std::vector<QPoint>> darkBlobs(const QImage& die) {
    std::vector<std::vector<QPoint>> blobs;
    std::vector<char> seen(std::size_t(die.width() * die.height()), 0);
    auto inside = [&](QPoint q) { return q.x() >= 0 && q.y() >= 0 && q.x() < die.width() && q.y() < die.height(); };
    auto dark = [&](QPoint q) { return !isKey(die.pixel(q)) && luma(die.pixel(q)) < 100; };
    for (int y = 0; y < die.height(); ++y) {
        for (int x = 0; x < die.width(); ++x) {
            if (seen[std::size_t(y * die.width() + x)] || !dark({x, y})) continue;
            std::vector<QPoint> blob, stack{{x, y}};
            seen[std::size_t(y * die.width() + x)] = 1;
            bool touchesBackground = false;
            while (!stack.empty()) {
                const QPoint p = stack.back();
                stack.pop_back();
                blob.push_back(p);
                for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                    const QPoint q = p + d;
                    if (!inside(q) || isKey(die.pixel(q))) {
                        touchesBackground = true;
                        continue;
                    }
                    if (seen[std::size_t(q.y() * die.width() + q.x())] || !dark(q)) continue;
                    seen[std::size_t(q.y() * die.width() + q.x())] = 1;
                    stack.push_back(q);
                }
            }
            if (touchesBackground || blob.size() < 6) continue;
            long sx = 0, sy = 0;
            for (const QPoint p : blob) {
                sx += p.x();
                sy += p.y();
            }
            const long n = long(blob.size());
            if (inPickBox(int(sx / n), int(sy / n))) blobs.push_back(blob);
        }
    }
    return blobs;
}

// Draws like the game: every pixel except the colour key, clipped.
void DrawKeyed(QImage& target, const QImage& pic, int left, int top) {
    for (int y = 0; y < pic.height(); ++y)
        for (int x = 0; x < pic.width(); ++x) {
            const int tx = left + x, ty = top + y;
            if (tx < 0 || ty < 0 || tx >= target.width() || ty >= target.height() || isKey(pic.pixel(x, y))) continue;
            target.setPixel(tx, ty, pic.pixel(x, y));
        }
}

class AssetsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        gOut = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(gOut->isValid());
        QProcess gen;
        gen.start(QStringLiteral(QUIMBA_ASSETS_GENERATOR), {gOut->path()});
        ASSERT_TRUE(gen.waitForFinished(300000));
        ASSERT_EQ(gen.exitStatus(), QProcess::NormalExit);
        ASSERT_EQ(gen.exitCode(), 0) << gen.readAllStandardError().toStdString();
    }
    static void TearDownTestSuite() { gOut.reset(); }
};

struct BmpCase {
    const char* file;
    int width;  // 0: any size
    int height;
};

const BmpCase kBitmaps[] = {
    {"bitmaps/B_plateau.bmp", kBoardWidth, kBoardHeight},
    {"bitmaps/B_1.bmp", kDieWidth, kDieHeight},
    {"bitmaps/B_2.bmp", kDieWidth, kDieHeight},
    {"bitmaps/B_3.bmp", kDieWidth, kDieHeight},
    {"bitmaps/B_4.bmp", kDieWidth, kDieHeight},
    {"bitmaps/B_5.bmp", kDieWidth, kDieHeight},
    {"bitmaps/B_6.bmp", kDieWidth, kDieHeight},
    {"bitmaps/B_garde.bmp", 0, 0},
    {"bitmaps/B_bord.bmp", 0, 0},
    {"bitmaps/B_fond.bmp", 0, 0},
    {"bitmaps/B_ngame.bmp", 0, 0},
    {"resources/image1.bmp", 110, 62},
    {"resources/image2.bmp", 573, 152},
};

TEST_F(AssetsTest, BitmapsAreUncompressed24BitOfTheRightSize) {
    for (const BmpCase& c : kBitmaps) {
        SCOPED_TRACE(c.file);
        const QByteArray b = readAll(generated(c.file));
        ASSERT_GE(b.size(), 54);
        EXPECT_EQ(b.left(2), QByteArray("BM"));
        EXPECT_EQ(le32(b, 2), std::uint32_t(b.size()));
        EXPECT_EQ(le16(b, 28), 24);  // bits per pixel
        EXPECT_EQ(le32(b, 30), 0u);  // no compression
        const int w = int(le32(b, 18)), h = int(le32(b, 22));
        if (c.width > 0) {
            EXPECT_EQ(w, c.width);
            EXPECT_EQ(h, c.height);
        } else {
            EXPECT_GT(w, 8);
            EXPECT_GT(h, 8);
        }
        const int stride = (w * 3 + 3) / 4 * 4;
        EXPECT_EQ(int(le32(b, 10)) + stride * h, b.size());
        EXPECT_FALSE(QImage(generated(c.file)).isNull());
    }
}

TEST_F(AssetsTest, CommittedFilesAreWhatTheGeneratorWrites) {
    const char* sounds[] = {"resources/pop.wav", "resources/tally.wav"};
    std::vector<QString> files;
    for (const BmpCase& c : kBitmaps) files.push_back(c.file);
    for (const char* s : sounds) files.push_back(s);
    for (int size : kIconSizes) files.push_back(IconPath(size));
    files.push_back(IconPath(0));
    for (const QString& f : files) {
        SCOPED_TRACE(f.toStdString());
        const QByteArray made = readAll(generated(f));
        const QByteArray committed = readAll(QStringLiteral(QUIMBA_DATA_DIR) + "/" + f);
        ASSERT_FALSE(made.isEmpty());
        EXPECT_EQ(committed.size(), made.size());
        EXPECT_TRUE(committed == made) << "regenerate with quimba-assets data/";
    }
}

TEST_F(AssetsTest, DiceCoverThePickBoxAndLeaveTheCornersSeeThrough) {
    for (int face = 1; face <= 6; ++face) {
        SCOPED_TRACE(face);
        const QImage die = picture(QStringLiteral("bitmaps/B_%1.bmp").arg(face));
        ASSERT_EQ(die.size(), QSize(kDieWidth, kDieHeight));
        int keyInBox = 0, keyRightOfBody = 0, bluish = 0;
        for (int y = 0; y < die.height(); ++y)
            for (int x = 0; x < die.width(); ++x) {
                const QRgb c = die.pixel(x, y);
                if (inPickBox(x, y) && isKey(c)) ++keyInBox;
                if (x > kDieBodyRight && !isKey(c)) ++keyRightOfBody;
                // An edge smoothed against the key would come out bluish.
                if (!isKey(c) && qBlue(c) > std::max(qRed(c), qGreen(c)) + 30) ++bluish;
            }
        EXPECT_EQ(keyInBox, 0);
        EXPECT_EQ(keyRightOfBody, 0);
        EXPECT_EQ(bluish, 0);
        for (const QPoint p :
             {QPoint(0, 0), QPoint(kDieWidth - 1, 0), QPoint(0, kDieHeight - 1), QPoint(kDieWidth - 1, kDieHeight - 1)})
            EXPECT_TRUE(isKey(die.pixel(p))) << p.x() << "," << p.y();
    }
}

TEST_F(AssetsTest, EachDieShowsItsNumberOfPips) {
    std::set<std::vector<int>> looks;
    for (int face = 1; face <= 6; ++face) {
        SCOPED_TRACE(face);
        const QImage die = picture(QStringLiteral("bitmaps/B_%1.bmp").arg(face));
        EXPECT_EQ(int(darkBlobs(die).size()), face);
        std::vector<int> px;
        for (int y = 0; y < die.height(); ++y)
            for (int x = 0; x < die.width(); ++x) px.push_back(int(die.pixel(x, y)));
        looks.insert(px);
    }
    EXPECT_EQ(looks.size(), 6u);
}

TEST_F(AssetsTest, DiceStandOutOnTheBoard) {
    const QImage board = picture("bitmaps/B_plateau.bmp");
    long boardSum = 0, keys = 0;
    // Where thrown dice come to rest.
    for (int y = 70; y < 230; ++y)
        for (int x = 70; x < 360; ++x) boardSum += luma(board.pixel(x, y));
    for (int y = 0; y < board.height(); ++y)
        for (int x = 0; x < board.width(); ++x) keys += isKey(board.pixel(x, y));
    EXPECT_EQ(keys, 0) << "the board is drawn first and must hide the previous frame everywhere";
    const long boardMean = boardSum / (160 * 290);
    const QImage die = picture("bitmaps/B_2.bmp");
    long dieSum = 0, n = 0;
    for (int y = 20; y < 40; ++y)
        for (int x = 25; x < 45; ++x, ++n) dieSum += luma(die.pixel(x, y));
    EXPECT_GT(dieSum / n - boardMean, 100);
}

TEST_F(AssetsTest, KeepMarksHideNoPipOnTheKeptRow) {
    const QImage board = picture("bitmaps/B_plateau.bmp");
    const QImage mark = picture("bitmaps/B_garde.bmp");
    ASSERT_TRUE(isKey(mark.pixel(0, 0)));
    long markPixels = 0;
    for (int y = 0; y < mark.height(); ++y)
        for (int x = 0; x < mark.width(); ++x) {
            const QRgb c = mark.pixel(x, y);
            if (isKey(c)) continue;
            ++markPixels;
            EXPECT_LE(qBlue(c), std::max(qRed(c), qGreen(c)) + 30) << x << "," << y;
        }
    EXPECT_GT(markPixels, 200);
    // Every arrangement of faces on the kept row, drawn in the game's order.
    const int rows[][5] = {{1, 2, 3, 4, 5}, {6, 6, 6, 6, 6}, {5, 4, 3, 2, 1}, {3, 6, 2, 5, 4}, {4, 5, 6, 1, 2}};
    for (const auto& faces : rows) {
        QImage table = board.copy();
        for (int i = 1; i <= 5; ++i) {
            const QImage die = picture(QStringLiteral("bitmaps/B_%1.bmp").arg(faces[i - 1]));
            DrawKeyed(table, die, 240 - 45 * i, 5 * i - 10);
            DrawKeyed(table, mark, 240 - 45 * i + 20, 5 * i - 10 + 20);
        }
        for (int i = 1; i <= 5; ++i) {
            SCOPED_TRACE(testing::Message() << "die " << i << " showing " << faces[i - 1]);
            const QImage die = picture(QStringLiteral("bitmaps/B_%1.bmp").arg(faces[i - 1]));
            const int left = 240 - 45 * i, top = 5 * i - 10;
            int hidden = 0;
            for (const auto& blob : darkBlobs(die))
                for (const QPoint p : blob) {
                    const int ty = top + p.y();
                    if (ty < 0) continue;  // above the table's edge
                    if (table.pixel(left + p.x(), ty) != die.pixel(p)) ++hidden;
                }
            EXPECT_EQ(hidden, 0);
        }
    }
}

// Mean brightness of 4-pixel strips on either side of each column line (and
// row line), in bands of 8: where copies meet, the step must be of the same
// order as a typical step inside the texture, or the tiling shows.
void expectSeamless(const QImage& t) {
    auto stripMean = [&](int x0, int y0, int w, int h) {
        double s = 0;
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x)
                s += luma(t.pixel((x + t.width()) % t.width(), (y + t.height()) % t.height()));
        return s / (w * h);
    };
    auto stepAtColumn = [&](int x) {
        double s = 0;
        for (int y = 0; y + 8 <= t.height(); y += 8) s += std::abs(stripMean(x - 4, y, 4, 8) - stripMean(x, y, 4, 8));
        return s;
    };
    auto stepAtRow = [&](int y) {
        double s = 0;
        for (int x = 0; x + 8 <= t.width(); x += 8) s += std::abs(stripMean(x, y - 4, 8, 4) - stripMean(x, y, 8, 4));
        return s;
    };
    double typical = 0;
    for (int x = 4; x + 4 <= t.width(); ++x) typical += stepAtColumn(x);
    typical /= t.width() - 7;
    EXPECT_LE(stepAtColumn(0), typical * 2.0) << "left-right seam";
    typical = 0;
    for (int y = 4; y + 4 <= t.height(); ++y) typical += stepAtRow(y);
    typical /= t.height() - 7;
    EXPECT_LE(stepAtRow(0), typical * 2.0) << "top-bottom seam";
}

double meanLuma(const QImage& t) {
    double s = 0;
    for (int y = 0; y < t.height(); ++y)
        for (int x = 0; x < t.width(); ++x) s += luma(t.pixel(x, y));
    return s / (t.width() * t.height());
}

TEST_F(AssetsTest, WindowTexturesAreDarkAndTileWithoutSeams) {
    const struct {
        const char* file;
        double maxMean;
    } cases[] = {{"bitmaps/B_fond.bmp", 50}, {"bitmaps/B_ngame.bmp", 70}, {"resources/image2.bmp", 70}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const QImage t = picture(c.file);
        expectSeamless(t);
        EXPECT_LT(meanLuma(t), c.maxMean);
        EXPECT_GT(meanLuma(t), 8);
    }
    // The dialogs' texture is an even grey: no tint, no large patches.
    const QImage grey = picture("resources/image2.bmp");
    int tinted = 0, far = 0;
    const double mean = meanLuma(grey);
    for (int y = 0; y < grey.height(); ++y)
        for (int x = 0; x < grey.width(); ++x) {
            const QRgb c = grey.pixel(x, y);
            if (std::max({qRed(c), qGreen(c), qBlue(c)}) - std::min({qRed(c), qGreen(c), qBlue(c)}) > 4) ++tinted;
            if (std::abs(luma(c) - mean) > 12) ++far;
        }
    EXPECT_EQ(tinted, 0);
    EXPECT_LT(far, grey.width() * grey.height() / 100);
}

TEST_F(AssetsTest, RollPictureBlendsIntoThePanelAroundIt) {
    const QImage img = picture("resources/image1.bmp");
    const QImage fond = picture("bitmaps/B_fond.bmp");
    double diff = 0;
    int n = 0;
    auto texel = [&](int x, int y) {
        return fond.pixel((kRollPictureLeft - 1 + x) % fond.width(), (kRollPictureTop - 1 + y) % fond.height());
    };
    auto add = [&](int x, int y) {
        diff += std::abs(luma(img.pixel(x, y)) - luma(texel(x, y)));
        ++n;
    };
    for (int x = 0; x < img.width(); ++x) {
        add(x, 0);
        add(x, img.height() - 1);
    }
    for (int y = 0; y < img.height(); ++y) {
        add(0, y);
        add(img.width() - 1, y);
    }
    EXPECT_LT(diff / n, 4.0);
    // And there are dice in it: bright pixels in the middle.
    int bright = 0;
    for (int y = 10; y < 52; ++y)
        for (int x = 15; x < 95; ++x) bright += luma(img.pixel(x, y)) > 180;
    EXPECT_GT(bright, 600);
}

struct Wave {
    int format = 0, channels = 0, rate = 0, bits = 0, blockAlign = 0;
    std::vector<std::int16_t> samples;
};

Wave parseWave(const QByteArray& b) {
    Wave w;
    EXPECT_GE(b.size(), 44);
    if (b.size() < 44) return w;
    EXPECT_EQ(b.left(4), QByteArray("RIFF"));
    EXPECT_EQ(le32(b, 4), std::uint32_t(b.size() - 8));
    EXPECT_EQ(b.mid(8, 4), QByteArray("WAVE"));
    int at = 12;
    while (at + 8 <= b.size()) {
        const QByteArray id = b.mid(at, 4);
        const int size = int(le32(b, at + 4));
        EXPECT_LE(at + 8 + size, b.size()) << id.toStdString();
        if (id == "fmt ") {
            w.format = le16(b, at + 8);
            w.channels = le16(b, at + 10);
            w.rate = int(le32(b, at + 12));
            EXPECT_EQ(int(le32(b, at + 16)), w.rate * le16(b, at + 20));  // byte rate
            w.blockAlign = le16(b, at + 20);
            w.bits = le16(b, at + 22);
        } else if (id == "data") {
            for (int i = 0; i + 1 < size; i += 2) w.samples.push_back(std::int16_t(le16(b, at + 8 + i)));
        }
        at += 8 + size + (size & 1);
    }
    return w;
}

TEST_F(AssetsTest, SoundsHaveTheFormatAndLengthTheGameExpects) {
    const struct {
        const char* file;
        int channels, rate;
        double minSeconds, maxSeconds;
    } cases[] = {{"resources/pop.wav", 2, 44100, 0.62, 0.70}, {"resources/tally.wav", 1, 19000, 0.30, 0.40}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const Wave w = parseWave(readAll(generated(c.file)));
        EXPECT_EQ(w.format, 1);
        EXPECT_EQ(w.channels, c.channels);
        EXPECT_EQ(w.rate, c.rate);
        EXPECT_EQ(w.bits, 16);
        EXPECT_EQ(w.blockAlign, 2 * c.channels);
        ASSERT_GT(w.channels, 0);
        ASSERT_GT(w.rate, 0);
        const double seconds = double(w.samples.size()) / w.channels / w.rate;
        EXPECT_GE(seconds, c.minSeconds);
        EXPECT_LE(seconds, c.maxSeconds);
        int peak = 0;
        double energy = 0;
        for (std::int16_t s : w.samples) {
            peak = std::max(peak, std::abs(int(s)));
            energy += double(s) * s;
        }
        EXPECT_GT(peak, 32767 * 3 / 10) << "too quiet";
        EXPECT_LT(peak, 32767) << "clipped";
        const double rms = std::sqrt(energy / double(w.samples.size()));
        EXPECT_GT(rms, 300.0);
        // Starts and ends at rest, so playback does not click.
        for (int i = 0; i < w.channels; ++i) {
            EXPECT_LT(std::abs(int(w.samples[std::size_t(i)])), 200);
            EXPECT_LT(std::abs(int(w.samples[w.samples.size() - 1 - std::size_t(i)])), 200);
        }
    }
}

TEST_F(AssetsTest, DiceSoundIsARattleOfSeparateHits) {
    const Wave w = parseWave(readAll(generated("resources/pop.wav")));
    ASSERT_EQ(w.channels, 2);
    // Energy per 4 ms window, left and right.
    const std::size_t window = std::size_t(w.rate) * 4 / 1000;
    const std::size_t frames = w.samples.size() / 2;
    std::vector<double> left, right;
    for (std::size_t s = 0; s + window <= frames; s += window) {
        double l = 0, r = 0;
        for (std::size_t i = s; i < s + window; ++i) {
            l += double(w.samples[2 * i]) * w.samples[2 * i];
            r += double(w.samples[2 * i + 1]) * w.samples[2 * i + 1];
        }
        left.push_back(l);
        right.push_back(r);
    }
    auto onsets = [](const std::vector<double>& e) {
        int count = 0;
        double top = 0;
        for (double v : e) top = std::max(top, v);
        for (std::size_t i = 1; i < e.size(); ++i)
            if (e[i] > 3.0 * e[i - 1] && e[i] > top * 0.01) ++count;
        return count;
    };
    EXPECT_GE(onsets(left), 5);
    EXPECT_GE(onsets(right), 5);
    // The dice are spread between the speakers: the channels differ.
    double diff = 0, total = 0;
    for (std::size_t i = 0; i < frames; ++i) {
        diff += std::abs(int(w.samples[2 * i]) - int(w.samples[2 * i + 1]));
        total += std::abs(int(w.samples[2 * i]));
    }
    EXPECT_GT(diff, 0.2 * total);
}

// Mean difference per channel, 0..255, of two pictures of one size, alpha
// included, each colour taken over black where it is see-through.
double meanDifference(const QImage& a, const QImage& b) {
    const QImage pa = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage pb = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    double sum = 0;
    for (int y = 0; y < pa.height(); ++y)
        for (int x = 0; x < pa.width(); ++x) {
            const QRgb p = pa.pixel(x, y), q = pb.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q)) +
                   std::abs(qAlpha(p) - qAlpha(q));
        }
    return sum / (4.0 * pa.width() * pa.height());
}

TEST_F(AssetsTest, IconsAreSquareTilesWithSeeThroughCornersAndTheDieInTheMiddle) {
    for (int size : kLargeIconSizes) {
        SCOPED_TRACE(size);
        const QImage icon(generated(IconPath(size)));
        ASSERT_EQ(icon.size(), QSize(size, size));
        ASSERT_TRUE(icon.hasAlphaChannel());
        for (QPoint corner : {QPoint(0, 0), QPoint(size - 1, 0), QPoint(0, size - 1), QPoint(size - 1, size - 1)})
            EXPECT_EQ(qAlpha(icon.pixel(corner)), 0);
        // The edges' middles are the tile's rim, solid.
        EXPECT_EQ(qAlpha(icon.pixel(size / 2, size * 16 / 256)), 255);
        EXPECT_EQ(qAlpha(icon.pixel(size * 16 / 256, size / 2)), 255);
        // The die's top face is near white, its shaded right side darker,
        // and the baize shows green beside the die.
        // Points between the pips, and beside the inlay line.
        const QRgb top = icon.pixel(size * 146 / 256, size * 78 / 256);
        const QRgb side = icon.pixel(size * 184 / 256, size * 121 / 256);
        const QRgb felt = icon.pixel(size * 44 / 256, size * 128 / 256);
        EXPECT_GT(luma(top), 200);
        EXPECT_LT(luma(side), luma(top) - 40);
        EXPECT_GT(qGreen(felt), qRed(felt) + 30);
    }
}

TEST_F(AssetsTest, SmallIconsAreTheLargeOneScaledDown) {
    const QImage large(generated(IconPath(256)));
    for (int size : kLargeIconSizes) {
        SCOPED_TRACE(size);
        const QImage scaled = large.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        EXPECT_LT(meanDifference(QImage(generated(IconPath(size))), scaled), 6.0);
    }
}

// Drawn for their grid, the small icons keep every pip sharp: five pips of
// the one darkest colour, each of the same pixel shape, edged only by the
// die's face, and placed point-symmetrically about the middle one.
TEST_F(AssetsTest, SmallIconsShowFiveSharpPipsOnTheirPixelGrid) {
    for (int size : kSmallIconSizes) {
        SCOPED_TRACE(size);
        const QImage icon = QImage(generated(IconPath(size))).convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(icon.size(), QSize(size, size));
        for (QPoint corner : {QPoint(0, 0), QPoint(size - 1, 0), QPoint(0, size - 1), QPoint(size - 1, size - 1)})
            EXPECT_LT(qAlpha(icon.pixel(corner)), 128);
        QRgb ink = 0xffffffffu;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                if (qAlpha(icon.pixel(x, y)) == 255 && luma(icon.pixel(x, y)) < luma(ink)) ink = icon.pixel(x, y);
        std::vector<std::vector<QPoint>> pips;
        std::set<QRgb> fringe;
        std::vector<bool> seen(std::size_t(size * size));
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                if (seen[std::size_t(y * size + x)] || icon.pixel(x, y) != ink) continue;
                std::vector<QPoint> pip, stack{{x, y}};
                seen[std::size_t(y * size + x)] = true;
                while (!stack.empty()) {
                    const QPoint p = stack.back();
                    stack.pop_back();
                    pip.push_back(p);
                    for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                        const QPoint q = p + d;
                        if (icon.pixel(q) != ink) {
                            fringe.insert(icon.pixel(q));
                        } else if (!seen[std::size_t(q.y() * size + q.x())]) {
                            seen[std::size_t(q.y() * size + q.x())] = true;
                            stack.push_back(q);
                        }
                    }
                }
                std::sort(pip.begin(), pip.end(),
                          [](QPoint a, QPoint b) { return std::pair(a.y(), a.x()) < std::pair(b.y(), b.x()); });
                pips.push_back(pip);
            }
        ASSERT_EQ(pips.size(), 5u);
        EXPECT_EQ(fringe.size(), 1u) << "a pip edged by shaded pixels is not on the grid";
        EXPECT_GT(luma(*fringe.begin()), 200);
        auto shape = [](const std::vector<QPoint>& pip) {
            std::vector<QPoint> s;
            for (QPoint p : pip) s.push_back(p - pip.front());
            return s;
        };
        QPoint sum;
        for (const auto& pip : pips) {
            EXPECT_EQ(shape(pip), shape(pips[0]));
            sum += pip.front();
        }
        EXPECT_EQ(sum, 5 * pips[2].front()) << "the pips are not symmetric about the middle one";
        EXPECT_GE(int(pips[0].size()), size / 8 * size / 8) << "pips too small to see";
    }
}

TEST_F(AssetsTest, ScalableIconDrawsWhatThePngsShow) {
    QFile svg(generated(IconPath(0)));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&svg);
    ASSERT_TRUE(xml.readNextStartElement());
    EXPECT_EQ(xml.name().toString(), QString("svg"));
    EXPECT_EQ(xml.attributes().value("viewBox").toString(), QString("0 0 256 256"));
    int shapes = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() &&
            (xml.name() == QString("rect") || xml.name() == QString("ellipse") || xml.name() == QString("polygon")))
            ++shapes;
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_GT(shapes, 10);

    // Drawn by another renderer, the SVG must give the PNG's picture.
    const QString renderer = QStandardPaths::findExecutable("rsvg-convert");
    if (renderer.isEmpty()) GTEST_SKIP() << "rsvg-convert (librsvg2-bin) is not installed";
    const QString out = gOut->path() + "/svg-256.png";
    QProcess run;
    run.start(renderer, {"-w", "256", "-h", "256", "-o", out, svg.fileName()});
    ASSERT_TRUE(run.waitForFinished(60000));
    ASSERT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
    const QImage drawn(out);
    ASSERT_EQ(drawn.size(), QSize(256, 256));
    EXPECT_LT(meanDifference(drawn, QImage(generated(IconPath(256)))), 2.0);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

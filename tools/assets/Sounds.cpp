// The game's two sounds, synthesised: the dice rattling on the table and
// the tally chime, written as 16-bit PCM wave files.
#include "Assets.h"
#include "DetMath.h"

#include <algorithm>

namespace quimba::assets {

namespace {

// One hit of a die: a click of filtered noise and a few ringing modes of the
// die's body, plus a dull knock of the table under it.
struct Impact {
    double time;   // seconds
    double gain;   // 0..1
    double pan;    // -1 left .. 1 right
    double pitch;  // scales the die's modes
};

void AddImpact(std::vector<double>& left, std::vector<double>& right, int rate, const Impact& hit, dm::Rng& rng) {
    static const double kModes[4][2] = {{2350.0, 0.016}, {3720.0, 0.011}, {5240.0, 0.008}, {6900.0, 0.005}};
    const double knockHz = 180.0 + 60.0 * rng.Uniform();
    const std::size_t n = left.size();
    // A gap between the ears of up to 0.4 ms places the die left or right.
    const double delay = 0.0004 * hit.pan;
    double lowpassed = 0.0;
    const int length = int(0.06 * rate);
    std::vector<double> click(static_cast<std::size_t>(length));
    for (int i = 0; i < length; ++i) {
        const double t = double(i) / rate;
        const double noise = rng.Range(-1.0, 1.0);
        lowpassed += 0.5 * (noise - lowpassed);
        double v = (noise - lowpassed) * dm::exp(-t / 0.0012) * 0.8;
        for (const auto& mode : kModes) {
            v += 0.35 * dm::sin(2.0 * dm::kPi * mode[0] * hit.pitch * t) * dm::exp(-t / mode[1]);
        }
        v += 0.5 * dm::sin(2.0 * dm::kPi * knockHz * t) * dm::exp(-t / 0.012);
        click[std::size_t(i)] = v * hit.gain;
    }
    const double gl = std::sqrt(0.5 * (1.0 - hit.pan)), gr = std::sqrt(0.5 * (1.0 + hit.pan));
    const std::size_t startL = std::size_t(std::max(0.0, (hit.time + std::max(delay, 0.0)) * rate));
    const std::size_t startR = std::size_t(std::max(0.0, (hit.time + std::max(-delay, 0.0)) * rate));
    for (int i = 0; i < length; ++i) {
        if (startL + std::size_t(i) < n) left[startL + std::size_t(i)] += click[std::size_t(i)] * gl;
        if (startR + std::size_t(i) < n) right[startR + std::size_t(i)] += click[std::size_t(i)] * gr;
    }
}

std::int16_t ToSample(double v) {
    const double s = std::floor(dm::Clampd(v, -1.0, 1.0) * 32767.0 + 0.5);
    return std::int16_t(s);
}

// Scales to the wanted peak, with a short fade at each end so playback
// starts and stops without a click.
void Finish(std::vector<double>& v, int rate, double peak) {
    double top = 0.0;
    for (double s : v) top = std::max(top, std::fabs(s));
    const double gain = top > 0 ? peak / top : 0.0;
    const std::size_t fade = std::size_t(0.004 * rate);
    for (std::size_t i = 0; i < v.size(); ++i) {
        double g = gain;
        if (i < fade) g *= double(i) / double(fade);
        if (v.size() - 1 - i < fade) g *= double(v.size() - 1 - i) / double(fade);
        v[i] *= g;
    }
}

}  // namespace

Sound MakeRollSound() {
    const int rate = 44100;
    const std::size_t frames = std::size_t(0.66 * rate);
    std::vector<double> left(frames, 0.0), right(frames, 0.0);
    dm::Rng rng(0x51A7D1CEULL);
    // Five dice leave the hand together, then each bounces on its own: the
    // hits come closer and softer until the dice roll out.
    for (int die = 0; die < 5; ++die) {
        const double pan = -0.8 + 0.4 * die + rng.Range(-0.1, 0.1);
        double t = 0.01 + rng.Range(0.0, 0.03);
        double gap = rng.Range(0.09, 0.14);
        double gain = rng.Range(0.7, 1.0);
        const double pitch = rng.Range(0.9, 1.12);
        while (t < 0.56 && gain > 0.05) {
            AddImpact(left, right, rate, {t, gain, pan, pitch * rng.Range(0.97, 1.03)}, rng);
            t += gap * rng.Range(0.8, 1.2);
            gap *= 0.72;
            gain *= rng.Range(0.55, 0.75);
        }
    }
    // Rolling on the table: soft rumbling noise that dies away.
    double lowL = 0.0, lowR = 0.0;
    for (std::size_t i = 0; i < frames; ++i) {
        const double t = double(i) / rate;
        const double env = dm::smoothstep(0.0, 0.05, t) * dm::exp(-t / 0.22) * 0.07;
        lowL += 0.08 * (rng.Range(-1.0, 1.0) - lowL);
        lowR += 0.08 * (rng.Range(-1.0, 1.0) - lowR);
        left[i] += lowL * env * 4.0;
        right[i] += lowR * env * 4.0;
    }
    double top = 0.0;
    for (std::size_t i = 0; i < frames; ++i) top = std::max({top, std::fabs(left[i]), std::fabs(right[i])});
    for (auto* ch : {&left, &right}) {
        for (double& s : *ch) s /= top;
    }
    Sound out;
    out.channels = 2;
    out.sampleRate = rate;
    out.samples.resize(frames * 2);
    // Same scale on both channels so the stereo picture stays.
    const std::size_t fade = std::size_t(0.004 * rate);
    for (std::size_t i = 0; i < frames; ++i) {
        double g = 0.85;
        if (i < fade) g *= double(i) / double(fade);
        if (frames - 1 - i < fade) g *= double(frames - 1 - i) / double(fade);
        out.samples[2 * i] = ToSample(left[i] * g);
        out.samples[2 * i + 1] = ToSample(right[i] * g);
    }
    return out;
}

Sound MakeTallySound() {
    const int rate = 19000;
    const std::size_t n = std::size_t(0.35 * rate);
    std::vector<double> v(n, 0.0);
    dm::Rng rng(0x7A11EULL);
    // A pencil tick, then a soft two-note chime (E6 then B6).
    double low = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const double t = double(i) / rate;
        const double noise = rng.Range(-1.0, 1.0);
        low += 0.35 * (noise - low);
        double s = (noise - low) * dm::exp(-t / 0.003) * 0.5;
        const double a = dm::smoothstep(0.0, 0.004, t) * dm::exp(-t / 0.09);
        s += a * (0.55 * dm::sin(2.0 * dm::kPi * 1318.5 * t) + 0.12 * dm::sin(2.0 * dm::kPi * 2637.0 * t));
        const double t2 = t - 0.06;
        if (t2 > 0) {
            const double b = dm::smoothstep(0.0, 0.004, t2) * dm::exp(-t2 / 0.10);
            s += b * (0.45 * dm::sin(2.0 * dm::kPi * 1975.5 * t2) + 0.08 * dm::sin(2.0 * dm::kPi * 3951.0 * t2));
        }
        v[i] = s;
    }
    Finish(v, rate, 0.6);
    Sound out;
    out.channels = 1;
    out.sampleRate = rate;
    out.samples.reserve(n);
    for (double s : v) out.samples.push_back(ToSample(s));
    return out;
}

QByteArray WaveBytes(const Sound& sound) {
    QByteArray b;
    auto u32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b.append(char((v >> (8 * i)) & 0xff));
    };
    auto u16 = [&](std::uint16_t v) {
        b.append(char(v & 0xff));
        b.append(char(v >> 8));
    };
    const std::uint32_t dataBytes = std::uint32_t(sound.samples.size() * 2);
    b.append("RIFF", 4);
    u32(36 + dataBytes);
    b.append("WAVE", 4);
    b.append("fmt ", 4);
    u32(16);
    u16(1);  // PCM
    u16(std::uint16_t(sound.channels));
    u32(std::uint32_t(sound.sampleRate));
    u32(std::uint32_t(sound.sampleRate * sound.channels * 2));
    u16(std::uint16_t(sound.channels * 2));
    u16(16);
    b.append("data", 4);
    u32(dataBytes);
    for (std::int16_t s : sound.samples) u16(std::uint16_t(s));
    return b;
}

}  // namespace quimba::assets

// SPDX-License-Identifier: GPL-3.0-or-later
#include "Voice.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Synth {

namespace {

constexpr double pi = std::numbers::pi;

// A Klatt resonator: one formant, passing low frequencies at unity so that a cascade of them
// shapes the spectrum the way a vocal tract does, each formant lowering all above it.
class FormantResonator {
public:
    void tune(double frequency, double bandwidth) {
        const double r = std::exp(-pi * bandwidth / rate);
        m_c = -r * r;
        m_b = 2 * r * std::cos(2 * pi * frequency / rate);
        m_a = 1 - m_b - m_c;
    }
    double operator()(double x) {
        const double y = m_a * x + m_b * m_y1 + m_c * m_y2;
        m_y2 = m_y1;
        m_y1 = y;
        return y;
    }

private:
    double m_a = 1, m_b = 0, m_c = 0;
    double m_y1 = 0, m_y2 = 0;
};

// Rosenberg's glottal flow over one period: the folds open slowly, close fast and stay shut. The
// sudden closing is what carries a voice's upper harmonics; a gentle one sounds muffled.
double glottalFlow(double phase) {
    constexpr double opening = 0.45;
    constexpr double closing = 0.07;
    if (phase < opening)
        return 0.5 * (1 - std::cos(pi * phase / opening));
    if (phase < opening + closing)
        return std::cos(0.5 * pi * (phase - opening) / closing);
    return 0;
}

Vowel vowelAt(const std::vector<std::pair<double, Vowel>>& vowels, double seconds) {
    if (vowels.empty())
        return Vowels::uh;
    auto curve = [&](double Vowel::*formant) {
        Curve c;
        for (const auto& [at, shape] : vowels)
            c.emplace_back(at, shape.*formant);
        return valueAt(c, seconds);
    };
    return {curve(&Vowel::f1), curve(&Vowel::f2), curve(&Vowel::f3)};
}

} // namespace

Wave utter(const Utterance& voice, Rng& rng) {
    const std::size_t n = samples(voice.seconds);
    // Formants and voicing are retuned every 2 ms: far faster than a throat can move.
    const std::size_t retune = std::max<std::size_t>(1, samples(0.002));
    Wave out(n, 0.0f);
    SmoothNoise wander(rng);
    FormantResonator f1, f2, f3, f4;
    double voiced = 1;
    double phase = 0;
    double cycleHz = valueAt(voice.pitch, 0);
    double cycleStrength = 1;
    double previousFlow = 0;
    double previousShaped = 0;
    Biquad softened = Biquad::lowpass(6000);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = double(i) / rate;
        if (i % retune == 0) {
            const Vowel shape = vowelAt(voice.vowels, t);
            voiced = std::clamp(valueAt(voice.voicing, t), 0.0, 1.0);
            // A whisper opens the glottis: the formants lose their sharpness, the first most.
            const double open = 1 + 2.5 * (1 - voiced);
            f1.tune(shape.f1, 90 * open);
            f2.tune(shape.f2, 110 * open);
            f3.tune(shape.f3, 170 * open);
            f4.tune(3500, 300);
        }
        phase += cycleHz / rate;
        if (phase >= 1) {
            phase -= std::floor(phase);
            cycleHz = valueAt(voice.pitch, t) * (1 + voice.drift * wander.at(t / 0.4)) *
                      (1 + voice.jitter * rng.noise());
            cycleStrength = 1 + voice.shimmer * rng.noise();
        }
        const double flow = glottalFlow(phase) * cycleStrength;
        // The lips radiate the change of the flow, not the flow.
        const double pulse = (flow - previousFlow) * rate / 1000.0;
        previousFlow = flow;
        const double air = rng.noise();
        // Breath rides on the open phase of each cycle; a whisper is air alone.
        const double source =
            voiced * (pulse + voice.breath * air * (0.3 + 0.7 * flow)) + (1 - voiced) * 0.6 * air;
        const double shaped = f4(f3(f2(f1(source))));
        // Each formant of the cascade takes 12 dB an octave off all above it; a tilt back up
        // restores the presence of the upper formants that a real throat keeps, up to where a
        // throat's own losses take over.
        const double present = softened(float(shaped - 0.97 * previousShaped));
        previousShaped = shaped;
        out[i] = float(present * valueAt(voice.loudness, t));
    }
    return out;
}

} // namespace Synth

#include "SignalGenerator.h"

#include "SignalDescription.h"
#include "SignalFileWriter.h"
#include "SignalText.h"
#include "Vocabulary.h"

#include <random>
#include <string>

namespace {

class Generator {
public:
    explicit Generator(std::uint32_t seed) : m_random(seed) {}

    std::unique_ptr<CSignalDescription> Next(std::size_t serial) {
        auto s = std::make_unique<CSignalDescription>();
        const int family = Pick({0, 30, 15, 30, 15, 10}); // weights of families 0-5
        s->m_nModulation = family;
        s->m_nMode = Chance(60) ? Uniform(1, DecoderModeCount - 1) : 0;
        s->m_nCodecheckCounter = s->m_nMode ? Uniform(1, 9) : 0;
        s->m_bDisabled = Chance(10);
        const double rates[] = {45.45, 50, 75, 100, 150, 200, 300, 600, 1200, 2400, 31.25, 62.5};
        const double shifts[] = {170, 200, 250, 400, 425, 450, 850, 1000};
        s->m_dBaudrate = Chance(8) ? -1 : rates[Uniform(0, 11)];
        switch (family) {
        case ModulationFsk:
            s->m_dShift = Chance(8) ? -1 : shifts[Uniform(0, 7)];
            s->m_nSubmode = Chance(15);
            if (Chance(20))
                Carriers(*s);
            break;
        case ModulationMfsk:
            s->m_dShift = Chance(8) ? -1 : s->m_dBaudrate > 0 ? s->m_dBaudrate : 31.25;
            s->m_nNumTones = Chance(5) ? -1 : 1 << Uniform(2, 6);
            s->m_nNumTonesMin = Chance(30) ? s->m_nNumTones / 2 : 0;
            break;
        case ModulationPsk:
            s->m_nSubmode = Uniform(0, PskSubmodeCount - 1);
            if (Chance(35))
                Carriers(*s);
            break;
        case ModulationOfdm:
            s->m_nSubmode = Uniform(0, SubcarrierModulationCount - 1);
            Carriers(*s);
            if (Chance(50))
                CopyText(s->m_szSpacing, Number(Uniform(20, 400) + 0.25));
            break;
        default:
            break;
        }
        if (family != ModulationCw && Chance(40))
            s->m_dBandwidth = Chance(10) ? -1 : Uniform(3, 120) * 100.0;
        std::u16string name = Name(family);
        name.append(u" ").append(Number(double(serial)));
        if (Chance(5))
            name.append(u" \u00e9t\u00e9 \U0001F4E1");
        CopyText(s->m_szName, name);
        if (Chance(25))
            CopyText(s->m_szITU, Chance(50) ? u"170HF1B" : u"3K00J2D");
        if (Chance(30))
            CopyText(s->m_szComment, Chance(30) ? u"Heard on 8.4 MHz,\nlate evening <&> checks"
                                                : u"Regular schedule, good copy");
        MaybeBreak(*s);
        return s;
    }

private:
    int Uniform(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(m_random);
    }
    bool Chance(int percent) { return Uniform(0, 99) < percent; }
    int Pick(std::initializer_list<int> weights) {
        std::discrete_distribution<int> pick(weights.begin(), weights.end());
        return pick(m_random);
    }
    static std::u16string Number(double value) {
        const std::string text = std::to_string(value);
        std::u16string result(text.begin(), text.end());
        while (result.find(u'.') != std::u16string::npos &&
               (result.back() == u'0' || result.back() == u'.'))
            result.pop_back();
        return result;
    }
    static const char16_t* Name(int family) {
        static const char16_t* names[] = {u"Unknown", u"FSK", u"MFSK", u"PSK", u"OFDM", u"CW"};
        return names[family];
    }
    void Carriers(CSignalDescription& s) {
        s.m_nNumChannels = Chance(10) ? -1 : Uniform(2, 48);
        s.m_nNumChannelsMin = Chance(25) ? 2 : 0;
        s.m_dPilotFrequency = Chance(30) ? 1800 : 0;
        if (Chance(40)) {
            std::u16string list;
            for (int i = 0; i + 1 < std::min(s.m_nNumChannels, 12); ++i) {
                if (i)
                    list.append(u",");
                list.append(Number(Uniform(50, 400)));
            }
            CopyText(s.m_szSpacing, list);
        } else if (Chance(50)) {
            CopyText(s.m_szSpacing, Number(Uniform(50, 400)));
        }
    }
    // About 5 % of the records fail validation when read.
    void MaybeBreak(CSignalDescription& s) {
        if (!Chance(5))
            return;
        switch (Uniform(0, 3)) {
        case 0:
            s.m_nModulation = 0;
            break;
        case 1:
            s.m_nModulation = ModulationOfdm;
            s.m_dBaudrate = 0;
            break;
        case 2:
            s.m_nMode = 27;
            s.m_nCodecheckCounter = 0;
            break;
        default:
            CopyText(s.m_szName, u"");
        }
    }

    std::mt19937 m_random;
};

} // namespace

SignalCollection GenerateSignals(std::size_t count, std::uint32_t seed) {
    Generator generator(seed);
    std::mt19937 random(seed ^ 0x5bd1e995u);
    SignalCollection records;
    records.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0 && random() % 20 == 0) // a duplicate of an earlier record
            records.push_back(std::make_unique<CSignalDescription>(*records[random() % i]));
        else
            records.push_back(generator.Next(i));
    }
    return records;
}

SignalCollection GenerateMergeSignals(const SignalCollection& base, std::size_t count,
                                      std::uint32_t seed) {
    SignalCollection fresh = GenerateSignals(count, seed);
    std::mt19937 random(seed);
    for (std::size_t i = 0; i < count && !base.empty(); i += 2)
        *fresh[i] = *base[random() % base.size()];
    return fresh;
}

bool WriteSignals(const QString& path, const SignalCollection& records) {
    IoError error;
    return CSignalFileWriter::Write(path, records, error);
}

#include "Vocabulary.h"

const char16_t* const DecoderModeNames[DecoderModeCount + 1] = {
    u"no-mode",     u"acars",     u"ais",     u"ale-400",     u"alf-rds",     u"alis",
    u"alis-2",     u"amsat-p3d",     u"apco-25",     u"arq6-90",     u"arq6-98",     u"arq-e",
    u"arq-e3",     u"arq-m2-242",     u"arq-m2-342",     u"arq-m4-242",     u"arq-m4-342",
    u"arq-n",     u"arq6-90",     u"arq6-98",     u"ascii",     u"ascii-7bits",     u"ascii-8bits",
    u"ascii-9bits",     u"atis",     u"aum-13",     u"autospec",     u"baudot",     u"biis",
    u"br-6028",     u"bulg-ascii",     u"chn-4-4",     u"chu",     u"cis-11",     u"cis-12",
    u"cis-14",     u"cis-36",     u"cis-36-50",     u"cis-50-50",     u"clover-2",
    u"clover-2000",     u"clover-2500",     u"codan-selcal",     u"codan-3212",     u"codan-9001",
    u"coquelet-8",     u"coquelet-13",     u"coquelet-80",     u"cv-786",     u"cw-morse",
    u"dcs-selcal",     u"dgps",     u"dmr",     u"dpmr",     u"dsc-hf",     u"dsc-vhf",
    u"dup-arq",     u"dup-arq-2",     u"dup-fec-2",     u"efr",     u"ermes",     u"fec-a",
    u"fec-a-dirty",     u"fec-a-72bits",     u"fec-a-128bits",     u"feld-hell",     u"flex",
    u"fm-hell",     u"fms-bos",     u"g-tor",     u"golay",     u"gw-fsk",     u"gw-psk",
    u"gw-ofdm",     u"hc-arq",     u"hf-acars",     u"hf-analysis-autocorrelation",
    u"hf-analysis-bit-correlation",     u"hf-analysis-bit-length",     u"hf-analysis-bit-stream",
    u"hf-analysis-classifier",     u"hf-analysis-fft",     u"hf-analysis-fft-and-sonagram",
    u"hf-analysis-fsk",     u"hf-analysis-fsk-code-check",     u"hf-analysis-mfsk",
    u"hf-analysis-mfsk-code-check",     u"hf-analysis-mil-stanag-code-check",
    u"hf-analysis-modem-autocorrelation",     u"hf-analysis-modem-bit-correlation",
    u"hf-analysis-modem-bit-length",     u"hf-analysis-modem-bit-stream",
    u"hf-analysis-modem-classifier",     u"hf-analysis-modem-fft",
    u"hf-analysis-modem-fft-and-sonagram",     u"hf-analysis-modem-fsk",
    u"hf-analysis-modem-mfsk",     u"hf-analysis-modem-oscilloscope",
    u"hf-analysis-modem-psk-phase-plane",     u"hf-analysis-modem-psk-symbol-rate",
    u"hf-analysis-modem-sonagram",     u"hf-analysis-modem-waterfall",
    u"hf-analysis-modem-wideband-classifier",     u"hf-analysis-oscilloscope",
    u"hf-analysis-phase-oscilloscope",     u"hf-analysis-psk-code-check",
    u"hf-analysis-psk-phase-plane",     u"hf-analysis-psk-symbol-rate",
    u"hf-analysis-sonagram",     u"hf-analysis-waterfall",     u"hf-analysis-wideband-classifier",
    u"hng-fec",     u"icao-selcal",     u"link-11",     u"md-674",     u"mfsk-8",
    u"mfsk-16",     u"mfsk-20",     u"mil-188-110-16tone",     u"mil-188-110-39tone",
    u"mil-188-110a",     u"mil-188-110b",     u"mil-188-141a",     u"mil-188-141b",
    u"mil-m-55529a",     u"mobitex-1200",     u"mobitex-8000",     u"mpt-1327",     u"nmt-450",
    u"nwr-same",     u"nxdn",     u"olivia",     u"packet-300",     u"packet-1200",
    u"packet-9600",     u"pactor-4",     u"pactor",     u"pactor-fec",     u"pactor-II",
    u"pactor-II-auto",     u"pactor-II-fec",     u"pactor-III",     u"piccolo-mk6",
    u"piccolo-mk12",     u"pocsag",     u"pol-arq",     u"press-fax",     u"psk-10",     u"psk-31",
    u"psk-31-fec",     u"psk-63",     u"psk-63f",     u"psk-125",     u"psk-125f",
    u"psk-220f",     u"psk-250",     u"psk-am",     u"robust-packet",     u"rum-fec",
    u"si-arq",     u"si-auto",     u"si-fec",     u"sitor-arq",     u"sitor-auto",
    u"sitor-fec",     u"sp-14",     u"spread-11",     u"spread-21",     u"spread-51",     u"sstv",
    u"stanag-4285",     u"stanag-4415",     u"stanag-4481-fsk",     u"stanag-4481-psk",
    u"stanag-4529",     u"stanag-5065-fsk",     u"swed-arq",     u"tetra",     u"tetrapol",
    u"throb",     u"throbx",     u"twinplex",     u"vdl-m2",
    u"vhf-analysis-dir-autocorrelation",     u"vhf-analysis-dir-classifier",
    u"vhf-analysis-dir-bit-correlation",     u"vhf-analysis-dir-bit-length",
    u"vhf-analysis-dir-bit-stream",     u"vhf-analysis-dir-fft",
    u"vhf-analysis-dir-fft-and-sonagram",     u"vhf-analysis-dir-fsk",
    u"vhf-analysis-dir-fsk-code-check",     u"vhf-analysis-dir-mfsk",
    u"vhf-analysis-dir-oscilloscope",     u"vhf-analysis-dir-psk-phase-plane",
    u"vhf-analysis-dir-psk-symbol-rate",     u"vhf-analysis-dir-sonagram",
    u"vhf-analysis-dir-waterfall",     u"vhf-analysis-dir-wideband-classifier",
    u"vhf-analysis-ind-autocorrelation",     u"vhf-analysis-ind-bit-correlation",
    u"vhf-analysis-ind-bit-length",     u"vhf-analysis-ind-bit-stream",
    u"vhf-analysis-ind-classifier",     u"vhf-analysis-ind-fft",
    u"vhf-analysis-ind-fft-and-sonagram",     u"vhf-analysis-ind-fsk",
    u"vhf-analysis-ind-fsk-code-check",     u"vhf-analysis-ind-oscilloscope",
    u"vhf-analysis-ind-psk-symbol-rate",     u"vhf-analysis-ind-psk-phase-plane",
    u"vhf-analysis-ind-selcal",     u"vhf-analysis-ind-sonagram",
    u"vhf-analysis-ind-waterfall",     u"vhf-analysis-ind-wideband-classifier",
    u"vhf-analysis-sat-autocorrelation",     u"vhf-analysis-sat-bit-correlation",
    u"vhf-analysis-sat-bit-length",     u"vhf-analysis-sat-bit-stream",
    u"vhf-analysis-sat-classifier",     u"vhf-analysis-sat-fft",
    u"vhf-analysis-sat-fft-and-sonagram",     u"vhf-analysis-sat-fsk",
    u"vhf-analysis-sat-mfsk",     u"vhf-analysis-sat-oscilloscope",
    u"vhf-analysis-sat-psk-phase-plane",     u"vhf-analysis-sat-psk-symbol-rate",
    u"vhf-analysis-sat-sonagram",     u"vhf-analysis-sat-waterfall",
    u"vhf-analysis-sat-wideband-classifier",     u"visel",     u"weather-fax",     u"x.25",
    u"zvei-vdew",
    nullptr};

const char16_t* const ModulationNames[ModulationCount + 1] = {u"",     u"FSK", u"MFSK", u"PSK",
                                                               u"OFDM", u"CW",  nullptr};

const char16_t* const FskSubmodeNames[FskSubmodeCount + 1] = {u"FSK", u"4-Level-FSK", nullptr};

const char16_t* const PskSubmodeNames[PskSubmodeCount + 1] = {u"PSK-2",  u"PSK-4",  u"PSK-8",
                                                              u"PSK-16", u"OPSK-4", nullptr};

const char16_t* const SubcarrierModulationNames[SubcarrierModulationCount + 1] = {
    u"Unspecified", u"PSK-2",  u"PSK-4",  u"PSK-8",  u"PSK-16",   u"OPSK-4",
    u"QAM-4",       u"QAM-16", u"QAM-64", u"QAM-256", nullptr};

std::int32_t LookupTableName(const char16_t* const* table, std::u16string_view text) {
    for (std::int32_t i = 0; table[i] != nullptr; ++i) {
        if (text == table[i])
            return i;
    }
    return -1;
}

const char16_t* TableEntry(const char16_t* const* table, int size, std::int32_t index) {
    return (index >= 0 && index < size) ? table[index] : u"";
}

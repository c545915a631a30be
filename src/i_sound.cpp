// The sound drivers: Allegro's mixer when an audio device exists, otherwise a complete silent driver.
#include <allegro5/allegro_acodec.h>
#include <allegro5/allegro_audio.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <future>
#include <string>
#include <system_error>
#include <vector>

#include "i_local.h"
#include "i_system.h"

struct i_dzwiek {
    std::string nazwa;          // the file name without folder and extension, e.g. "s7"
    ALLEGRO_SAMPLE* probka;     // null under the silent driver
    double dlugosc;             // seconds
};

// Called for every sound started, by either driver; the scripted platform records through it.
void (*i_sluchacz_dzwiekow)(const i_dzwiek* d, float glosnosc, float predkosc) = nullptr;

namespace {

// A sound file decoded whole: 16-bit signed samples, channels interleaved, in a buffer the mixer
// can take over as it is (so the samples never exist twice).
struct pcm {
    char* dane = nullptr;
    size_t rozmiar = 0, pojemnosc = 0;
    int kanaly = 0;
    long czestotliwosc = 0;
    pcm() = default;
    pcm(pcm&& o) noexcept { *this = std::move(o); }
    pcm& operator=(pcm&& o) noexcept {
        std::swap(dane, o.dane);
        std::swap(rozmiar, o.rozmiar);
        std::swap(pojemnosc, o.pojemnosc);
        std::swap(kanaly, o.kanaly);
        std::swap(czestotliwosc, o.czestotliwosc);
        return *this;
    }
    ~pcm() { al_free(dane); }
    bool rezerwuj(size_t n) {
        if (n <= pojemnosc) return true;
        void* b = al_realloc(dane, n);
        if (!b) return false;
        dane = static_cast<char*>(b);
        pojemnosc = n;
        return true;
    }
    bool dopisz(const char* z, size_t n) {
        if (rozmiar + n > pojemnosc && !rezerwuj(std::max(2 * pojemnosc, rozmiar + n))) return false;
        std::memcpy(dane + rozmiar, z, n);
        rozmiar += n;
        return true;
    }
};

struct sterownik {
    const char* nazwa;
    ALLEGRO_SAMPLE* (*wczytaj)(pcm& p);
    void (*graj)(ALLEGRO_SAMPLE* s, float glosnosc, float predkosc);
    void (*zwolnij)(ALLEGRO_SAMPLE* s);
};

// Silence: nothing is loaded into a mixer and nothing plays, but files are still decoded
// once so a broken sound is caught at start-up whatever the machine has.
const sterownik CISZA = {
    "silent",
    [](pcm&) -> ALLEGRO_SAMPLE* { return nullptr; },
    [](ALLEGRO_SAMPLE*, float, float) {},
    [](ALLEGRO_SAMPLE*) {},
};

// The mixer takes the samples our own check decoded: decoding every file a second time through
// the audio library doubled the start-up's longest step.
const sterownik MIKSER = {
    "allegro",
    [](pcm& p) -> ALLEGRO_SAMPLE* {
        if (p.kanaly != 1 && p.kanaly != 2) return nullptr;
        const ALLEGRO_CHANNEL_CONF uklad = p.kanaly == 1 ? ALLEGRO_CHANNEL_CONF_1 : ALLEGRO_CHANNEL_CONF_2;
        const unsigned ramki = p.rozmiar / (2 * p.kanaly);
        ALLEGRO_SAMPLE* s = al_create_sample(p.dane, ramki, p.czestotliwosc, ALLEGRO_AUDIO_DEPTH_INT16, uklad, true);
        if (s) p.dane = nullptr, p.rozmiar = p.pojemnosc = 0;  // the sample owns the buffer now
        return s;
    },
    [](ALLEGRO_SAMPLE* s, float glosnosc, float predkosc) {
        if (s) al_play_sample(s, glosnosc, 0.0f, predkosc, ALLEGRO_PLAYMODE_ONCE, nullptr);
    },
    [](ALLEGRO_SAMPLE* s) {
        if (s) al_destroy_sample(s);
    },
};

const sterownik* biezacy = &CISZA;
bool audio_zainstalowane = false;
// The player's switch and volume, kept whichever driver plays: the silent one remembers them too.
bool wlaczony = true;
float wzmocnienie = 1;

void ustaw_mikser() {
    if (biezacy != &MIKSER) return;
    if (!wlaczony) al_stop_samples();
    if (ALLEGRO_MIXER* m = al_get_default_mixer()) al_set_mixer_gain(m, wzmocnienie);
}

// Decodes the whole file; returns its length in seconds, or a negative value with *blad set.
// The samples are kept in *p only when `zachowaj` (the mixer wants them).
double zbadaj_ogg(const char* sciezka, std::string* blad, pcm* p, bool zachowaj) {
    *blad = I_FileFault(sciezka);
    FILE* f = blad->empty() ? std::fopen(sciezka, "rb") : nullptr;
    if (!f) {
        if (blad->empty()) *blad = std::string("cannot be read: ") + std::strerror(errno);
        return -1;
    }
    OggVorbis_File vf;
    if (ov_open_callbacks(f, &vf, nullptr, 0, OV_CALLBACKS_DEFAULT) != 0) {
        std::fclose(f);
        *blad = "not an Ogg Vorbis file";
        return -1;
    }
    vorbis_info* vi = ov_info(&vf, -1);
    if (zachowaj && vi && ov_pcm_total(&vf, -1) > 0) p->rezerwuj(ov_pcm_total(&vf, -1) * vi->channels * 2);
    char kawalek[4096];
    int sekcja = 0;
    long razem = 0;
    for (;;) {
        long n = ov_read(&vf, kawalek, sizeof kawalek, 0, 2, 1, &sekcja);
        if (n == 0) break;
        if (n < 0) {
            ov_clear(&vf);
            *blad = "the Ogg Vorbis data is damaged";
            return -1;
        }
        if (zachowaj && !p->dopisz(kawalek, n)) {
            ov_clear(&vf);
            *blad = "not enough memory for the sound";
            return -1;
        }
        razem += n;
    }
    double dlugosc = vi && vi->channels > 0 && vi->rate > 0 ? double(razem) / (2.0 * vi->channels * vi->rate) : 0;
    if (vi) {
        p->kanaly = vi->channels;
        p->czestotliwosc = vi->rate;
    }
    ov_clear(&vf);
    if (dlugosc <= 0) {
        *blad = "the sound file holds no samples";
        return -1;
    }
    return dlugosc;
}

// A file decoded ahead: its length (negative with the fault in `blad`) and its samples.
struct zbadany {
    double dlugosc;
    std::string blad;
    pcm p;
};
// The batch being decoded beside start-up: the files, whether their samples are kept, the results.
std::vector<std::string> przygotowane;
bool przygotowane_z_probkami = false;
std::future<std::vector<zbadany>> przygotowanie;
std::vector<zbadany> wyniki_przygotowania;

}  // namespace

void I_PrepareSounds(const std::vector<std::string>& pliki) {
    if (przygotowanie.valid()) przygotowanie.wait();
    przygotowane = pliki;
    wyniki_przygotowania.clear();
    przygotowane_z_probkami = biezacy == &MIKSER;
    const bool zachowaj = przygotowane_z_probkami;
    try {
        przygotowanie = std::async(std::launch::async, [pliki, zachowaj] {
            std::vector<zbadany> w(pliki.size());
            for (size_t i = 0; i < pliki.size(); ++i)
                w[i].dlugosc = zbadaj_ogg(pliki[i].c_str(), &w[i].blad, &w[i].p, zachowaj);
            return w;
        });
    } catch (const std::system_error&) {
        przygotowane.clear();  // no second thread: each sound is decoded where it is loaded
    }
}

bool I_InstallMixer() {
    // Allegro 5.2.8 aborts in al_reserve_samples after a failed al_install_audio and crashes
    // in al_load_sample without it: only reserve, and only load, once audio is really installed.
    if (al_install_audio()) {
        audio_zainstalowane = true;
        if (al_init_acodec_addon() && al_reserve_samples(13)) {
            biezacy = &MIKSER;
            ustaw_mikser();
            return true;
        }
    }
    biezacy = &CISZA;
    return false;
}

void I_SilenceSound() { biezacy = &CISZA; }

void I_SetSound(bool wlacz, int glosnosc) {
    wlaczony = wlacz;
    // Loudness is heard on a roughly logarithmic scale: the square makes each step of the
    // volume sound about as large as the last.
    const double v = std::clamp(glosnosc, 0, 100) / 100.0;
    wzmocnienie = static_cast<float>(v * v);
    ustaw_mikser();
}

void I_ShutdownSound() {
    if (przygotowanie.valid()) przygotowanie.wait();
    przygotowanie = {};
    przygotowane.clear();
    wyniki_przygotowania.clear();
    if (audio_zainstalowane) al_uninstall_audio();
    audio_zainstalowane = false;
    biezacy = &CISZA;
}

i_dzwiek* I_LoadSound(const char* sciezka, std::string* blad) {
    std::string b;
    pcm p;
    double dl = 0;
    size_t i = 0;
    while (i < przygotowane.size() && przygotowane[i] != sciezka) ++i;
    if (i < przygotowane.size() && przygotowane_z_probkami == (biezacy == &MIKSER)) {
        if (przygotowanie.valid()) wyniki_przygotowania = przygotowanie.get();
        zbadany& z = wyniki_przygotowania[i];
        dl = z.dlugosc;
        b = z.blad;
        p = std::move(z.p);
        przygotowane[i].clear();  // taken: asked again, the file is decoded again
    } else {
        dl = zbadaj_ogg(sciezka, &b, &p, biezacy == &MIKSER);
    }
    if (dl < 0) {
        if (blad) *blad = b;
        return nullptr;
    }
    ALLEGRO_SAMPLE* s = biezacy->wczytaj(p);
    if (biezacy == &MIKSER && !s) {
        if (blad) *blad = "the audio library cannot load this sound";
        return nullptr;
    }
    std::string nazwa = sciezka;
    size_t ukosnik = nazwa.find_last_of('/');
    if (ukosnik != std::string::npos) nazwa = nazwa.substr(ukosnik + 1);
    size_t kropka = nazwa.find_last_of('.');
    if (kropka != std::string::npos) nazwa = nazwa.substr(0, kropka);
    return new i_dzwiek{nazwa, s, dl};
}

void I_StartSound(i_dzwiek* d, float glosnosc, float predkosc) {
    if (!d) return;
    if (i_slad_wlaczony) I_TraceLine(("sound " + d->nazwa).c_str());
    if (i_sluchacz_dzwiekow) i_sluchacz_dzwiekow(d, glosnosc, predkosc);
    if (wlaczony) biezacy->graj(d->probka, glosnosc, predkosc);
}

void I_FreeSound(i_dzwiek* d) {
    if (!d) return;
    biezacy->zwolnij(d->probka);
    delete d;
}

const char* I_SoundName(const i_dzwiek* d) { return d ? d->nazwa.c_str() : ""; }

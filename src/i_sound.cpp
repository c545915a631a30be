// The sound drivers: Allegro's mixer when an audio device exists, otherwise a complete silent driver.
#include <allegro5/allegro_acodec.h>
#include <allegro5/allegro_audio.h>
#include <vorbis/vorbisfile.h>

#include <cstdio>
#include <string>

#include "i_system.h"

struct i_dzwiek {
    std::string nazwa;          // the file name without folder and extension, e.g. "s7"
    ALLEGRO_SAMPLE* probka;     // null under the silent driver
    double dlugosc;             // seconds
};

// Called for every sound started, by either driver; the scripted platform records through it.
void (*i_sluchacz_dzwiekow)(const i_dzwiek* d, float glosnosc, float predkosc) = nullptr;

namespace {

struct sterownik {
    const char* nazwa;
    ALLEGRO_SAMPLE* (*wczytaj)(const char* sciezka);
    void (*graj)(ALLEGRO_SAMPLE* s, float glosnosc, float predkosc);
    void (*zwolnij)(ALLEGRO_SAMPLE* s);
};

// Silence: nothing is loaded into a mixer and nothing plays, but files are still decoded
// once so a broken sound is caught at start-up whatever the machine has.
const sterownik CISZA = {
    "silent",
    [](const char*) -> ALLEGRO_SAMPLE* { return nullptr; },
    [](ALLEGRO_SAMPLE*, float, float) {},
    [](ALLEGRO_SAMPLE*) {},
};

const sterownik MIKSER = {
    "allegro",
    [](const char* sciezka) { return al_load_sample(sciezka); },
    [](ALLEGRO_SAMPLE* s, float glosnosc, float predkosc) {
        if (s) al_play_sample(s, glosnosc, 0.0f, predkosc, ALLEGRO_PLAYMODE_ONCE, nullptr);
    },
    [](ALLEGRO_SAMPLE* s) {
        if (s) al_destroy_sample(s);
    },
};

const sterownik* biezacy = &CISZA;
bool audio_zainstalowane = false;

// Decodes the whole file; returns its length in seconds, or a negative value with *blad set.
double zbadaj_ogg(const char* sciezka, std::string* blad) {
    FILE* f = std::fopen(sciezka, "rb");
    if (!f) {
        *blad = "cannot open the sound file";
        return -1;
    }
    OggVorbis_File vf;
    if (ov_open_callbacks(f, &vf, nullptr, 0, OV_CALLBACKS_DEFAULT) != 0) {
        std::fclose(f);
        *blad = "not an Ogg Vorbis file";
        return -1;
    }
    vorbis_info* vi = ov_info(&vf, -1);
    char pcm[4096];
    int sekcja = 0;
    long razem = 0;
    for (;;) {
        long n = ov_read(&vf, pcm, sizeof pcm, 0, 2, 1, &sekcja);
        if (n == 0) break;
        if (n < 0) {
            ov_clear(&vf);
            *blad = "the Ogg Vorbis data is damaged";
            return -1;
        }
        razem += n;
    }
    double dlugosc = vi && vi->channels > 0 && vi->rate > 0 ? double(razem) / (2.0 * vi->channels * vi->rate) : 0;
    ov_clear(&vf);
    if (dlugosc <= 0) {
        *blad = "the sound file holds no samples";
        return -1;
    }
    return dlugosc;
}

}  // namespace

bool I_InstallMixer() {
    // Allegro 5.2.8 aborts in al_reserve_samples after a failed al_install_audio and crashes
    // in al_load_sample without it: only reserve, and only load, once audio is really installed.
    if (al_install_audio()) {
        audio_zainstalowane = true;
        if (al_init_acodec_addon() && al_reserve_samples(13)) {
            biezacy = &MIKSER;
            return true;
        }
    }
    biezacy = &CISZA;
    return false;
}

void I_SilenceSound() { biezacy = &CISZA; }

void I_ShutdownSound() {
    if (audio_zainstalowane) al_uninstall_audio();
    audio_zainstalowane = false;
    biezacy = &CISZA;
}

i_dzwiek* I_LoadSound(const char* sciezka, std::string* blad) {
    std::string b;
    double dl = zbadaj_ogg(sciezka, &b);
    if (dl < 0) {
        if (blad) *blad = b;
        return nullptr;
    }
    ALLEGRO_SAMPLE* s = biezacy->wczytaj(sciezka);
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
    biezacy->graj(d->probka, glosnosc, predkosc);
}

void I_FreeSound(i_dzwiek* d) {
    if (!d) return;
    biezacy->zwolnij(d->probka);
    delete d;
}

const char* I_SoundName(const i_dzwiek* d) { return d ? d->nazwa.c_str() : ""; }

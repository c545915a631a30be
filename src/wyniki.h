// The best results: the table of the ten highest final totals, its text and the file it is kept in.
#pragma once

#include <string>
#include <vector>

constexpr int MIEJSC_W_TABELI = 10;

struct wynik {
    int kwota = 0;     // zł, at least 1
    std::string data;  // year-month-day, as "2024-05-31"
    std::string imie;  // UTF-8
    bool nowy = false; // entered by the game just finished; not kept in the file
};

// The table in its file's text: false, with the line and its fault in *blad, when a line is
// neither an entry, a comment nor blank. The entries come best first, at most ten of them.
bool czytaj_wyniki(const std::string& tekst, std::vector<wynik>* tabela, std::string* blad);
std::string tekst_wynikow(const std::vector<wynik>& tabela);
// Puts the entry below the equal totals already there and cuts the table to ten.
void wstaw_wynik(std::vector<wynik>& tabela, const wynik& w);
// Today's date as the table writes it.
std::string dzisiaj();

// The kept table with these entries added (marked `nowy` while they stay in it). The file is read
// again and written under its lock, so two games ending at once both keep their entries; it is
// written only when something changed. A damaged file is kept beside it under another name, with
// one warning, and a new table is started. Without a data folder the table lasts until the end of
// the run.
std::vector<wynik> uaktualnij_wyniki(const std::vector<wynik>& nowe);

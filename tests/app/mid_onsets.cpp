// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Prints the beat of a piece's count-in, then the onsets of its notes, in seconds from the piece's
// start, one a line, as the program reads them:  mid_onsets <file.mid>
#include "practice/PieceNotes.h"

#include <cstdio>

int main(int argc, char *argv[]) {
    if (argc < 2)
        return 1;
    const auto piece = miminomi::PieceNotes::read(argv[1]);
    if (!piece)
        return 1;
    std::printf("%.3f\n", piece->beatSeconds);
    for (const miminomi::PieceNotes::Note &note : piece->notes)
        std::printf("%.3f\n", note.onsetSeconds);
    return 0;
}

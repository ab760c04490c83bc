// Turns a file's bytes into the normalised text (and, when case is ignored,
// the folded text alongside it), fed chunk by chunk as the file is read.
#pragma once

#include <cstddef>

#include "block_run.h"

namespace tyx12::detail {

// Normalisation stops once the text passes this length, so at most
// kNormalisedCap + 1 characters of any file are ever searched.
inline constexpr std::size_t kNormalisedCap = 204801;
inline constexpr std::size_t kNormalisedCapacity = kNormalisedCap + 2;  // text and its NUL

class Normaliser {
public:
    // Both outputs must hold kNormalisedCapacity bytes; folded may be null.
    Normaliser(char* normalised, char* folded);
    // With a chosen block run, or none for the byte-by-byte rule alone.
    Normaliser(char* normalised, char* folded, BlockRun blockRun);

    // Consumes the bytes; returns false once the cap is reached and no more
    // input can change the text.
    bool feed(const unsigned char* bytes, std::size_t count);

    // Terminates the outputs and returns the text length.
    std::size_t finish();

private:
    template <bool Fold>
    bool feedImpl(const unsigned char* bytes, std::size_t count);

    char* normalised_;
    char* folded_;
    BlockRun blockRun_;
    std::size_t position_ = 0;
    // Position just after the last space written for a run of control bytes:
    // while nothing else has been written since, further such bytes add nothing.
    std::size_t runMark_ = 0;
};

}  // namespace tyx12::detail

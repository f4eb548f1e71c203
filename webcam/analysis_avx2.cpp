// The hand-sign analysis's passes four pixels at a time with AVX2, where the processor has it.
#include "webcam/analysis_passes.h"

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))

#include <immintrin.h>

// Every pass reads a pixel as one 8-byte word, its bytes being r, g, b, padding, then couleur
// (little-endian); a 256-bit register holds four of them.
static_assert(sizeof(Pixel) == 8, "a pixel is read as one 8-byte word");

#define AVX2 __attribute__((target("avx2")))

static const int PIXEL_COUNT = IMAGE_WIDTH * IMAGE_HEIGHT;
static const int GROUPS_PER_ROW = IMAGE_WIDTH / 4;
static const int GROUPS_PER_HALF_ROW = GROUPS_PER_ROW / 2;

// r + g + b of each of the four pixels, in the low bits of each 64-bit lane.
AVX2 static inline __m256i colourSums(const Pixel* four) {
    const __m256i rgb = _mm256_set1_epi64x(0xFFFFFF);
    __m256i words = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(four));
    return _mm256_sad_epu8(_mm256_and_si256(words, rgb), _mm256_setzero_si256());
}

AVX2 static long long sumLanes(__m256i lanes) {
    long long parts[4];
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(parts), lanes);
    return parts[0] + parts[1] + parts[2] + parts[3];
}

// r + g + b of eight pixels, one in each 32-bit lane. The second load starts 4 bytes early, so
// that pixels 4 to 7 land their r, g, b and padding bytes in the odd lanes, where the first
// load has the couleur words of pixels 0 to 3.
AVX2 static inline __m256i colourSumsOfEight(const Pixel* eight) {
    const __m256i rgbWeights = _mm256_set1_epi32(0x00010101);
    const char* bytes = reinterpret_cast<const char*>(eight);
    __m256i first = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes));
    __m256i early = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes + 32 - 4));
    __m256i colours = _mm256_blend_epi32(first, early, 0xAA);
    __m256i pairs = _mm256_maddubs_epi16(colours, rgbWeights);  // r + g, b
    return _mm256_madd_epi16(pairs, _mm256_set1_epi16(1));
}

// (s * 21846) >> 16 is s / 3 with the fraction dropped for every s below 32,768, so for every
// r + g + b.
AVX2 static int avx2SumGrey(const Pixel* p) {
    const __m256i third = _mm256_set1_epi16(21846);
    __m256i total = _mm256_setzero_si256();
    for (int i = 0; i < PIXEL_COUNT; i += 16) {
        __m256i sums = _mm256_packus_epi32(colourSumsOfEight(p + i), colourSumsOfEight(p + i + 8));
        __m256i grey = _mm256_mulhi_epu16(sums, third);
        // Every grey level fits its lane's low byte.
        total = _mm256_add_epi64(total, _mm256_sad_epu8(grey, _mm256_setzero_si256()));
    }
    return (int)sumLanes(total);
}

// grey > threshold is r + g + b > 3 * threshold + 2: no division needed. The sign of
// limit - (r + g + b), spread over the whole word, selects the white word.
AVX2 static void avx2WriteMask(Pixel* p, int threshold) {
    const __m256i limit = _mm256_set1_epi64x(3LL * threshold + 2);
    const __m256i white = _mm256_set1_epi64x(0x00FFFFFF00FFFFFFLL);
    for (int i = 0; i < PIXEL_COUNT; i += 4) {
        __m256i above = _mm256_srai_epi32(_mm256_sub_epi64(limit, colourSums(p + i)), 31);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(p + i), _mm256_and_si256(above, white));
    }
}

// Compares every byte with 255 and counts the matches byte by byte, four rows at a time; only
// the r byte of each pixel is read out at the end. A column's byte counts at most 240 rows, a
// half row's at most 40 groups of four pixels, so no byte wraps.
AVX2 static inline __m256i whiteBytes(const Pixel* four) {
    __m256i words = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(four));
    return _mm256_cmpeq_epi8(words, _mm256_set1_epi8((char)0xFF));
}

// White pixels counted in the r bytes of a row's byte counts.
AVX2 static int redTotal(__m256i byteCounts) {
    __m256i reds = _mm256_and_si256(byteCounts, _mm256_set1_epi64x(0xFF));
    return (int)sumLanes(_mm256_sad_epu8(reds, _mm256_setzero_si256()));
}

AVX2 static void avx2CountWhite(const Pixel* p, WhiteCounts& counts) {
    __m256i columns[GROUPS_PER_ROW];
    for (__m256i& column : columns) {
        column = _mm256_setzero_si256();
    }
    for (int row = 0; row < IMAGE_HEIGHT; row += 4) {
        for (int half = 0; half < 2; ++half) {
            __m256i row0 = _mm256_setzero_si256(), row1 = row0, row2 = row0, row3 = row0;
            const int first = half * GROUPS_PER_HALF_ROW;
            const Pixel* line = p + row * IMAGE_WIDTH + 4 * first;
            for (int g = first; g < first + GROUPS_PER_HALF_ROW; ++g, line += 4) {
                __m256i white0 = whiteBytes(line);
                __m256i white1 = whiteBytes(line + IMAGE_WIDTH);
                __m256i white2 = whiteBytes(line + 2 * IMAGE_WIDTH);
                __m256i white3 = whiteBytes(line + 3 * IMAGE_WIDTH);
                row0 = _mm256_sub_epi8(row0, white0);
                row1 = _mm256_sub_epi8(row1, white1);
                row2 = _mm256_sub_epi8(row2, white2);
                row3 = _mm256_sub_epi8(row3, white3);
                __m256i inColumn = _mm256_add_epi8(_mm256_add_epi8(white0, white1),
                                                   _mm256_add_epi8(white2, white3));
                columns[g] = _mm256_sub_epi8(columns[g], inColumn);
            }
            // Columns 0-159 are player 2's.
            int* rows = half == 0 ? counts.rows2 : counts.rows1;
            rows[row] = redTotal(row0);
            rows[row + 1] = redTotal(row1);
            rows[row + 2] = redTotal(row2);
            rows[row + 3] = redTotal(row3);
        }
    }
    unsigned char bytes[IMAGE_WIDTH * 8];
    for (int g = 0; g < GROUPS_PER_ROW; ++g) {
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(bytes + 32 * g), columns[g]);
    }
    for (int column = 0; column < IMAGE_WIDTH; ++column) {
        counts.columns[column] = bytes[8 * column];
    }
}

bool avx2Passes(AnalysisPasses* passes) {
    __builtin_cpu_init();
    if (!__builtin_cpu_supports("avx2")) {
        return false;
    }
    passes->sumGrey = avx2SumGrey;
    passes->writeMask = avx2WriteMask;
    passes->countWhite = avx2CountWhite;
    return true;
}

#else

bool avx2Passes(AnalysisPasses* passes) {
    (void)passes;
    return false;
}

#endif

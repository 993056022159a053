// A program built as the shipped ones are, with one CMOV planted: the Pentium Pro's instruction
// that the start-up code of Debian's runtime used to hold. The instruction check must find it,
// and only it: the counts of trailing zeros beside it, built with the program's own tuning, are
// BSF (tuned for generic, GCC writes TZCNT, REP BSF, which the check refuses).
#include <bitset>

[[gnu::noinline]] static int Pick(int flag, int when_zero, int otherwise) {
    int result = otherwise;
    asm volatile("test %1, %1\n\tcmove %2, %0" : "+r"(result) : "r"(flag), "r"(when_zero) : "cc");
    return result;
}

int main(int argc, char**) {
    const std::bitset<64> bits(static_cast<unsigned>(argc) << 3);
    return Pick(argc - 1, 0, 1) + __builtin_ctz(static_cast<unsigned>(argc)) + static_cast<int>(bits._Find_first());
}

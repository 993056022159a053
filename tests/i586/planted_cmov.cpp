// A program built as the shipped ones are, with one CMOV planted: the Pentium Pro's instruction
// that the start-up code of Debian's runtime used to hold. The instruction check must find it,
// and only it.
[[gnu::noinline]] static int Pick(int flag, int when_zero, int otherwise) {
    int result = otherwise;
    asm volatile("test %1, %1\n\tcmove %2, %0" : "+r"(result) : "r"(flag), "r"(when_zero) : "cc");
    return result;
}

int main(int argc, char**) { return Pick(argc - 1, 0, 1); }

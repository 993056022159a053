#!/usr/bin/env python3
"""Checks that shipped Windows programs load on every Windows the game is made for.

Windows' loader refuses a program that imports a function its system DLLs do not export, and Wine
exports everything, so no run under Wine shows it. This reads each program's header and import
table and holds them against the export tables of the real systems (scripts/windows-exports/):

  - every imported function is exported by Windows 95, 98, ME, NT 4.0, 2000 and XP;
  - an import that is only a failing stub on the 95 family is on KNOWN_9X_STUBS, with the reason
    its failure is harmless;
  - only the program's few system DLLs are imported;
  - the subsystem is GUI or console, and the subsystem and OS versions are at most 4.0;
  - every instruction of the code runs on the original Pentium and its peers, see below.

    check-imports.py OBJDUMP DATA_DIR PROGRAM.exe [PROGRAM.exe ...]

Each PROGRAM.exe needs its linker map beside it, PROGRAM.map (-Wl,-Map). Prints one line per
program and system, one line per program's code, and exits 1 on any fault.

The code is the .text section, the one executable section. The linker map names each piece the
linker put into it: code (.text*, .init, .fini) and data (the constructor and destructor lists,
exception tables); the pieces must cover the section exactly. Every byte of every code piece
must decode, from the piece's start and from every symbol in it, into whole instructions, and
each instruction must be one that every processor of the floor runs (the Pentium, Pentium MMX,
AMD K5 and K6, Cyrix 6x86): the 8086 to 486 integer and system instructions and the x87 ones up
to the 387, with no REP prefix but on string instructions. The Pentium's own CMPXCHG8B, RDTSC,
RDMSR, WRMSR and RSM are left out too (the Cyrix 6x86 has no time-stamp counter and no
model-specific registers; the programs need none of them). So fail, among others: CMOVcc,
FCMOVcc and FCOMI/FCOMIP/FUCOMI/FUCOMIP (the Pentium Pro's), RDPMC, SYSENTER/SYSEXIT,
SYSCALL/SYSRET, MMX, 3DNow!, SSE and later (any mnemonic or register of theirs), RDRAND/RDSEED,
and every opcode of the 0F 18-0F 1F hint space, the long NOPs among them, and PAUSE (F3 90)
and TZCNT (F3 0F BC): Intel documents that its older processors ignore their REP prefix, but no
such promise stands for the K6 or the 6x86, so a REP prefix passes only on string instructions.
UD2 passes: it raises the invalid-opcode fault it is meant to on every x86. CPUID faults on a Cyrix 6x86 (where it is off until enabled) and on most 486s, so
it passes only inside a function on CPUID_CHECKED, each with the reason its code skips CPUID
when the ID bit of EFLAGS cannot be changed, and only after that function has flipped the bit
(0x200000), written it with POPF, read it back with PUSHF and branched. Padding between pieces
may hold only NOP bytes (90, 66 90) and zeros; it is never entered.
"""
import bisect
import collections
import csv
import os
import re
import struct
import subprocess
import sys

ALLOWED_DLLS = {"KERNEL32.DLL", "USER32.DLL", "GDI32.DLL", "WINMM.DLL", "SHELL32.DLL", "MSVCRT.DLL"}

# Stubs of the 95 family that may be imported, each with the reason its failure does no harm.
KNOWN_9X_STUBS = {
    "MOVEFILEEXA": "a settings file is then rewritten in place, or renamed into place when it is new "
    "(settings/config_file_win.cpp; tests/win ConfigFile, with the stub made to fail); the stand-in "
    "game renames its report the same way",
    "GETFULLPATHNAMEW": "only for paths past MAX_PATH, which the 95 family cannot have; on failure the "
    "error dialog names the relative path (tests/win ConfigFile, with the stub made to fail)",
    "MODIFYWORLDTRANSFORM": "resets the caption font's window DC to no world transform, which a "
    "95-family DC never has",
    "GETMODULEHANDLEW": "the C runtime's look-ups of optional msvcrt functions (rand_s, "
    "___lc_codepage_func), which fall back to their own versions when it fails",
    "LOADLIBRARYW": "the C runtime's look-up of rand_s, which falls back to its own version",
    "CREATESEMAPHOREW": "the runtime's locks (std::mutex, function-local statics' guard, the unwinder's "
    "list of frame tables, thread-local variables) wait on it only when another thread holds them, and "
    "there the lock fails at once: only one thread may use them. The front-end's second thread, which opens "
    "a controller found (input/controller_win.cpp), uses none of them",
}

# The 95-family column names and the NT versions up to 4.0.
NT4_OR_EARLIER = {"3.1", "3.5", "3.51", "4.0"}

# The instructions every processor of the floor runs, as objdump -M intel names them.
CONDITIONS = "o no b ae e ne be a s ns p np l ge le g".split()
I586 = set(
    """aaa aad aam aas adc add and arpl bound bsf bsr bswap bt btc btr bts call cbw cdq clc cld cli
    clts cmc cmp cmps cmpsb cmpsw cmpsd cmpxchg cwd cwde daa das dec div enter hlt idiv
    imul in inc ins insb insw insd int int3 into invd invlpg iret iretd jcxz jecxz jmp lahf lar lds
    lea leave les lfs lgdt lgs lidt lldt lmsw lods lodsb lodsw lodsd loop loope loopne lsl lss ltr
    mov movs movsb movsw movsd movsx movzx mul neg nop not or out outs outsb outsw outsd pop popa
    popad popf popfd push pusha pushad pushf pushfd rcl rcr ret retf rol ror sahf
    sal sar sbb scas scasb scasw scasd sgdt shl shld shr shrd sidt sldt smsw stc std sti stos stosb
    stosw stosd str sub test verr verw wait fwait wbinvd xadd xchg xlat xor
    f2xm1 fabs fadd faddp fiadd fbld fbstp fchs fclex fnclex fcom fcomp fcompp fcos fdecstp fdiv
    fdivp fidiv fdivr fdivrp fidivr ffree ficom ficomp fild fincstp finit fninit fist fistp fld fld1
    fldcw fldenv fldl2e fldl2t fldlg2 fldln2 fldpi fldz fmul fmulp fimul fnop fpatan fprem fprem1
    fptan frndint frstor fsave fnsave fscale fsin fsincos fsqrt fst fstcw fnstcw fstenv fnstenv
    fstp fstsw fnstsw fsub fsubp fisub fsubr fsubrp fisubr ftst fucom fucomp fucompp fxam fxch
    fxtract fyl2x fyl2xp1""".split()
    + ["j" + c for c in CONDITIONS]
    + ["set" + c for c in CONDITIONS]
    # An invalid-opcode fault on every x86; CPUID only after a check (above).
    + ["ud2", "cpuid"]
)
PREFIXES = {"lock", "rep", "repz", "repnz", "repe", "repne", "data16", "addr16", "cs", "ds", "es", "fs", "gs", "ss"}
# The string instructions, the only ones a REP prefix repeats.
REPEATABLE = {m for m in I586 if re.fullmatch(r"(movs|stos|lods|cmps|scas|ins|outs)[bwd]?", m)}
PREFIX_BYTES = {0x26, 0x2E, 0x36, 0x3E, 0x64, 0x65, 0x66, 0x67, 0xF0, 0xF2, 0xF3}
NOT_I586_REGISTER = re.compile(r"\b([xyz]?mm\d+|k[0-7]|bnd[0-3])\b")
# Functions whose CPUID runs only when the ID bit of EFLAGS could be changed: name -> reason.
CPUID_CHECKED = {}
ID_FLAG = re.compile(r"\b0x200000\b")
CODE_PIECE = re.compile(r"\.text([.$].*)?|\.init|\.fini|\.gnu\.linkonce\.t\..*")
DATA_PIECE = re.compile(r"\.(c|d)tors?(\..*)?|\.gcc_exc|\.gcc_except_table(\..*)?")


def read_exports(path):
    exports = set()
    with open(path, newline="") as f:
        for row in csv.reader(f, delimiter="\t"):
            if len(row) >= 2:
                exports.add((row[0].upper().removesuffix(".DLL"), row[1]))
    return exports


def load_systems(data):
    """Each system's exports as (DLL, function) pairs, and the 95-family stubs."""
    oldest = {"95": set(), "NT 4.0": set()}
    stubs = set()
    with open(os.path.join(data, "minimum-versions.tsv"), newline="") as f:
        for row in csv.DictReader(f, delimiter="\t"):
            key = (row["dll"].upper().removesuffix(".DLL"), row["function"])
            if row["first_95_family"] == "95":
                oldest["95"].add(key)
            if row["first_nt"] in NT4_OR_EARLIER:
                oldest["NT 4.0"].add(key)
            if row["stub_on_9x"] == "yes":
                stubs.add(key)
    systems = [("Windows 95", oldest["95"], True)]
    for name, file, nine_x in [
        ("Windows 98 SE", "exports-98se.tsv", True),
        ("Windows ME", "exports-me.tsv", True),
        ("Windows NT 4.0", None, False),
        ("Windows 2000", "exports-2000.tsv", False),
        ("Windows XP", "exports-xp.tsv", False),
    ]:
        exports = oldest["NT 4.0"] if file is None else read_exports(os.path.join(data, file))
        systems.append((name, exports, nine_x))
    return systems, stubs


class PeFile:
    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        if self.data[:2] != b"MZ":
            raise ValueError("not a Windows program")
        pe = struct.unpack_from("<I", self.data, 0x3C)[0]
        if self.data[pe : pe + 4] != b"PE\0\0":
            raise ValueError("no PE header")
        sections, optional_size = struct.unpack_from("<H12xH", self.data, pe + 6)
        opt = pe + 24
        if struct.unpack_from("<H", self.data, opt)[0] != 0x10B:
            raise ValueError("not a 32-bit program")
        self.os_version = struct.unpack_from("<HH", self.data, opt + 40)
        self.subsystem_version = struct.unpack_from("<HH", self.data, opt + 48)
        self.subsystem = struct.unpack_from("<H", self.data, opt + 68)[0]
        self.import_rva = struct.unpack_from("<I", self.data, opt + 96 + 8)[0]
        self.image_base = struct.unpack_from("<I", self.data, opt + 28)[0]
        self.sections = []
        self.executable = []  # (name, address, size) of each section that holds code
        table = opt + optional_size
        for i in range(sections):
            at = table + 40 * i
            virtual_size, va, size, raw = struct.unpack_from("<IIII", self.data, at + 8)
            self.sections.append((va, max(size, 0), raw))
            if struct.unpack_from("<I", self.data, at + 36)[0] & 0x20000020:  # code, executable
                name = self.data[at : at + 8].rstrip(b"\0").decode("ascii", "replace")
                self.executable.append((name, self.image_base + va, virtual_size))

    def bytes_at(self, address, size):
        at = self.offset(address - self.image_base)
        return self.data[at : at + size]

    def offset(self, rva):
        for va, size, raw in self.sections:
            if va <= rva < va + size:
                return raw + rva - va
        raise ValueError(f"address {rva:#x} is in no section")

    def string(self, rva):
        at = self.offset(rva)
        return self.data[at : self.data.index(b"\0", at)].decode("ascii")

    def imports(self):
        """(DLL, function) pairs; a function imported by ordinal is '#n'."""
        found = []
        at = self.offset(self.import_rva)
        while True:
            lookup, _, _, name, first = struct.unpack_from("<IIIII", self.data, at)
            if name == 0:
                return found
            dll = self.string(name)
            thunk = self.offset(lookup or first)
            while (entry := struct.unpack_from("<I", self.data, thunk)[0]) != 0:
                function = f"#{entry & 0xFFFF}" if entry & 0x80000000 else self.string(entry + 2)
                found.append((dll, function))
                thunk += 4
            at += 20


def read_map(path):
    """The pieces of .text the linker map names: (start, end, kind, input), kind code, data or
    fill, or the piece's section name when it is neither code nor data."""
    pieces, inside, pending = [], False, None
    with open(path, errors="replace") as f:
        for line in f:
            line = line.rstrip("\n")
            if not inside:
                inside = re.match(r"\.text\s+0x", line) is not None
                continue
            if line and not line[0].isspace():
                break
            if m := re.match(r" \*fill\*\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)", line):
                pieces.append((int(m[1], 16), int(m[1], 16) + int(m[2], 16), "fill", "padding"))
            elif m := re.match(r" ([^\s*]\S*)$", line):
                pending = m[1]  # a long section name; its address and size follow
            elif m := re.match(r" (\S+)?\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(\S.*)$", line):
                section, pending = m[1] or pending, None
                if section is None:  # the linker script's own data (LONG 0 ...)
                    kind = "data" if re.match(r"(BYTE|SHORT|LONG|QUAD|SQUAD) ", m[4]) else m[4]
                else:
                    kind = "code" if CODE_PIECE.fullmatch(section) else "data" if DATA_PIECE.fullmatch(section) else section
                if int(m[3], 16):
                    pieces.append((int(m[2], 16), int(m[2], 16) + int(m[3], 16), kind, m[4]))
    return sorted(pieces)


def origin(piece_input):
    """The library, start-up object or the program's own code that a piece comes from. The build
    names the program's own objects and libraries by relative paths, the toolchain's by absolute."""
    if not piece_input.startswith("/"):
        return "the program's own code"
    return os.path.basename(re.sub(r"\(.*\)$", "", piece_input))


INSTRUCTION = re.compile(r"^\s*([0-9a-f]+):\t([0-9a-f ]+?)\s*\t(.*)$")
SYMBOL = re.compile(r"^([0-9a-f]+) <(.+)>:$")


def disassemble(objdump, path, start=None, stop=None):
    """(address, bytes, text, symbol) of each instruction objdump reads in .text; it starts
    afresh at every symbol, so a function's start is always an instruction's."""
    command = [objdump, "-d", "-z", "-M", "intel", "--insn-width=16", "-j", ".text", path]
    if start is not None:
        command += [f"--start-address={start:#x}", f"--stop-address={stop:#x}"]
    listing = subprocess.run(command, check=True, capture_output=True, text=True).stdout
    symbol = ""
    for line in listing.splitlines():
        if m := SYMBOL.match(line):
            symbol = m[2]
        elif m := INSTRUCTION.match(line):
            yield int(m[1], 16), bytes.fromhex(m[2]), m[3].strip(), symbol


def beyond_i586(code, text, id_flag_probed):
    """Why the instruction is not one a Pentium runs, or None."""
    words = text.split()
    while words and words[0] in PREFIXES:
        words.pop(0)
    mnemonic = words[0] if words else "(bad)"
    prefixes = 0
    while prefixes < len(code) and code[prefixes] in PREFIX_BYTES:
        prefixes += 1
    opcode = code[prefixes : prefixes + 2]
    if mnemonic in ("(bad)", ".byte", ".word"):
        return "bytes that are no instruction"
    if opcode[:1] == b"\x0f" and len(opcode) == 2 and 0x18 <= opcode[1] <= 0x1F:
        return f"{mnemonic} (0F {opcode[1]:02X}, a long NOP or hint)"
    if mnemonic == "nop" and opcode != b"\x90":
        return "nop (a long NOP)"
    if mnemonic not in I586:
        return mnemonic
    if m := NOT_I586_REGISTER.search(" ".join(words[1:])):
        return f"{mnemonic} {m[1]}"
    if {0xF2, 0xF3} & set(code[:prefixes]) and mnemonic not in REPEATABLE:
        return f"{mnemonic} with a REP prefix"
    if mnemonic == "cpuid" and not id_flag_probed:
        return "cpuid not shown to be checked for first"
    return None


def check_code(path, objdump):
    """Reads every instruction of the program's code; returns (summary, faults)."""
    name = os.path.basename(path)
    map_path = os.path.splitext(path)[0] + ".map"
    if not os.path.exists(map_path):
        return None, [f"{name}: no linker map {os.path.basename(map_path)} beside it (-Wl,-Map)"]
    pe = PeFile(path)
    if [section for section, _, _ in pe.executable] != [".text"]:
        return None, [f"{name}: code outside .text, or no .text: {pe.executable}"]
    _, text_start, text_size = pe.executable[0]
    pieces = read_map(map_path)
    faults, at = [], text_start
    for start, end, kind, piece_input in pieces:
        if start != at:
            faults.append(f"{name}: the map does not account for .text at {min(at, start):#x}")
        if kind not in ("code", "data", "fill"):
            faults.append(f"{name}: {kind} of {piece_input} is in .text but neither code nor data")
        if kind == "fill" and pe.bytes_at(start, end - start).strip(b"\x00\x90\x66"):
            faults.append(f"{name}: padding at {start:#x} holds more than NOPs and zeros")
        at = end
    if at != text_start + text_size:
        faults.append(f"{name}: the map's .text ends at {at:#x}, the program's at {text_start + text_size:#x}")
    if faults:
        return None, faults
    code = [piece for piece in pieces if piece[2] == "code"]
    starts = [piece[0] for piece in code]

    def read(instructions, only=None):
        reached = {}  # piece index -> the address up to which it was read in step
        found, symbol_now, probe = [], None, 0
        for address, raw, text, symbol in instructions:
            i = bisect.bisect_right(starts, address) - 1
            if i < 0 or address >= code[i][1] or (only is not None and i != only):
                continue
            if reached.get(i, code[i][0]) != address:
                reached[i] = None  # out of step: read on its own
                continue
            reached[i] = address + len(raw)
            if symbol != symbol_now:
                symbol_now, probe = symbol, 0
            # The ID-flag check: the bit flipped, written with POPF, read back with PUSHF, then a
            # conditional jump.
            step = (ID_FLAG.search(text), "popf" in text, "pushf" in text, re.match(r"j(?!mp)", text))
            if probe < 4 and step[probe]:
                probe += 1
            why = beyond_i586(raw, text, probe == 4 and symbol in CPUID_CHECKED)
            found.append((address, symbol, origin(code[i][3]), text, why))
        return reached, found

    reached, found = read(disassemble(objdump, path))
    for i, (start, end, _, piece_input) in enumerate(code):
        if reached.get(i, start) != end:
            found = [f for f in found if not start <= f[0] < end]
            alone, again = read(disassemble(objdump, path, start, end), i)
            found += again
            if alone.get(i, start) != end:
                faults.append(f"{name}: {piece_input} at {start:#x} does not read as whole instructions")
    bad = [f for f in found if f[4]]
    by_origin, by_why = collections.Counter(f[2] for f in bad), collections.Counter(f[4] for f in bad)
    own = sum(1 for f in found if f[2] == "the program's own code")
    summary = f"{name} code: {len(found)} instructions in {len(code)} pieces ({own} of the program's own)"
    if bad:
        address, symbol, where, text, why = min(bad)
        faults.append(
            f"{name}: {len(bad)} instruction{'s' if len(bad) > 1 else ''} a Pentium lacks: "
            + ", ".join(f"{w} {n}" for w, n in by_why.most_common())
            + "; from "
            + ", ".join(f"{o} {n}" for o, n in by_origin.most_common())
            + f"; the first at {address:#x} <{symbol}> in {where}: {text}"
        )
    return summary + (f", {len(bad)} a Pentium lacks" if bad else ": every one runs on a Pentium"), faults


def check(path, objdump, systems, stubs):
    name = os.path.basename(path)
    pe = PeFile(path)
    imports = pe.imports()
    faults = []
    dlls = sorted({dll.upper() for dll, _ in imports} - ALLOWED_DLLS)
    if dlls:
        faults.append(f"{name}: imports from DLLs outside the system's few: {', '.join(dlls)}")
    if pe.subsystem not in (2, 3):
        faults.append(f"{name}: subsystem {pe.subsystem} is neither GUI nor console")
    for what, version in (("subsystem", pe.subsystem_version), ("OS", pe.os_version)):
        if version > (4, 0):
            faults.append(f"{name}: {what} version {version[0]}.{version[1]} is above 4.0")
    summary, code_faults = check_code(path, objdump)
    faults += code_faults
    if summary:
        print(summary)

    keys = sorted({(dll.upper().removesuffix(".DLL"), fn) for dll, fn in imports})
    for system, exports, nine_x in systems:
        lacking = [f"{dll}!{fn}" for dll, fn in keys if (dll, fn) not in exports]
        stubbed = [fn for dll, fn in keys if nine_x and (dll, fn) in stubs and (dll, fn) in exports]
        unproven = [fn for fn in stubbed if fn.upper() not in KNOWN_9X_STUBS]
        line = f"{name} on {system}: {len(keys)} imports"
        if lacking:
            line += f", LACKS {', '.join(lacking)}"
            faults.append(f"{name}: {system} lacks {', '.join(lacking)}")
        if unproven:
            line += f", FAILING STUBS WITHOUT A PROVEN FALLBACK {', '.join(unproven)}"
            faults.append(f"{name}: on {system} these are failing stubs with no known fallback: {', '.join(unproven)}")
        if stubbed and not unproven:
            line += f", stubs with fallbacks {', '.join(stubbed)}"
        print(line + ("" if lacking or unproven else ": loads"))
    return faults


def main(argv):
    if len(argv) < 4:
        print(__doc__, file=sys.stderr)
        return 2
    objdump, data, programs = argv[1], argv[2], argv[3:]
    systems, stubs = load_systems(data)
    faults = []
    for path in programs:
        try:
            faults += check(path, objdump, systems, stubs)
        except (OSError, ValueError, struct.error, subprocess.CalledProcessError) as error:
            faults.append(f"{path}: cannot be read: {error}")
    for fault in faults:
        print("FAULT " + fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

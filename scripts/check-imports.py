#!/usr/bin/env python3
"""Checks that shipped Windows programs load on every Windows the game is made for.

Windows' loader refuses a program that imports a function its system DLLs do not export, and Wine
exports everything, so no run under Wine shows it. This reads each program's header and import
table and holds them against the export tables of the real systems (tests/data/windows-exports/):

  - every imported function is exported by Windows 95, 98, ME, NT 4.0, 2000 and XP;
  - an import that is only a failing stub on the 95 family is on KNOWN_9X_STUBS, with the reason
    its failure is harmless;
  - only the program's few system DLLs are imported;
  - the subsystem is GUI or console, and the subsystem and OS versions are at most 4.0;
  - no MMX or SSE instruction is in the code (the programs need a Pentium Pro, not more).

    check-imports.py OBJDUMP DATA_DIR PROGRAM.exe [PROGRAM.exe ...]

Prints one line per program and system and exits 1 on any fault.
"""
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
    "(common/config_file_win.cpp; tests/win ConfigFile, with the stub made to fail); the stand-in "
    "game renames its report the same way",
    "GETFULLPATHNAMEW": "only for paths past MAX_PATH, which the 95 family cannot have; on failure the "
    "error dialog names the relative path (tests/win ConfigFile, with the stub made to fail)",
    "MODIFYWORLDTRANSFORM": "resets the caption font's window DC to no world transform, which a "
    "95-family DC never has",
    "GETMODULEHANDLEW": "the C runtime's look-ups of optional msvcrt functions (rand_s, "
    "___lc_codepage_func), which fall back to their own versions when it fails",
    "LOADLIBRARYW": "the C runtime's look-up of rand_s, which falls back to its own version",
    "CREATESEMAPHOREW": "the runtime's locks wait on it only when another thread holds them; the "
    "programs have one thread",
}

# The 95-family column names and the NT versions up to 4.0.
NT4_OR_EARLIER = {"3.1", "3.5", "3.51", "4.0"}
SIMD = re.compile(r"%x?mm\d|\b(emms|femms|ldmxcsr|stmxcsr|[slm]fence|prefetch\w*|movnt\w*|maskmov\w*|clflush)\b")
# Data that the linker puts among the code.
DATA_LABEL = re.compile(r"^[0-9a-f]+ <\.(gcc_except_table|ctors|dtors)")


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
        self.sections = []
        table = opt + optional_size
        for i in range(sections):
            va, size, raw = struct.unpack_from("<4xIII", self.data, table + 40 * i + 8)
            self.sections.append((va, max(size, 0), raw))

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


def simd_instructions(objdump, path):
    listing = subprocess.run([objdump, "-d", "--no-show-raw-insn", path], check=True, capture_output=True, text=True)
    found, in_data, where = [], False, ""
    for line in listing.stdout.splitlines():
        if line.endswith(">:"):
            in_data = bool(DATA_LABEL.match(line))
            where = line
        elif not in_data and "\t" in line and SIMD.search(line.split("\t", 1)[1]):
            found.append(f"{where} {line.strip()}")
    return found


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
    simd = simd_instructions(objdump, path)
    if simd:
        faults.append(f"{name}: {len(simd)} MMX/SSE instructions, the first: {simd[0]}")

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

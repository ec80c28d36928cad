#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks a macOS plug-in bundle as a Mac would load it, from its bytes alone.

  check_bundle.py BUNDLE SDK EXPORT[,EXPORT...] SLICE=MINIMUM...

Layout and Info.plist; one universal file with exactly the given slices; each slice a Mach-O
bundle for its minimum system, exporting the EXPORTs alone, linked to system libraries only, every
import found in the stub of the library it is bound to (SDK holds the stubs), and an ad hoc code
signature whose page hashes match the slice's bytes."""

import hashlib
import plistlib
import struct
import sys
from pathlib import Path

import yaml

CPU = {0x01000007: "x86_64", 0x0100000C: "arm64"}
MH_BUNDLE = 8
LC_SYMTAB, LC_DYSYMTAB, LC_CODE_SIGNATURE = 0x2, 0xB, 0x1D
LC_VERSION_MIN_MACOSX, LC_BUILD_VERSION = 0x24, 0x32
LC_DYLD_INFO, LC_DYLD_INFO_ONLY, LC_DYLD_EXPORTS_TRIE = 0x22, 0x80000022, 0x80000033
DYLIB_COMMANDS = {0xC, 0x80000018, 0x8000001F, 0x20, 0x80000023}
ALLOWED_LIBRARIES = ("/usr/lib/libSystem.B.dylib", "/usr/lib/libobjc.A.dylib")
PLIST_KEYS = ("CFBundleExecutable", "CFBundleIdentifier", "CFBundlePackageType",
              "CFBundleSignature", "CFBundleVersion", "CFBundleShortVersionString",
              "LSMinimumSystemVersion")


class Failure(Exception):
    pass


def require(condition, message):
    if not condition:
        raise Failure(message)


def uleb(data, pos):
    value = shift = 0
    while True:
        byte = data[pos]
        pos += 1
        value |= (byte & 0x7F) << shift
        shift += 7
        if byte < 0x80:
            return value, pos


def trie_names(trie):
    """The names in an export trie (terminal nodes), walked from the root."""
    names, pending = [], [(0, b"")]
    while pending:
        node, prefix = pending.pop()
        size, pos = uleb(trie, node)
        if size:
            names.append(prefix.decode())
        pos += size
        children = trie[pos]
        pos += 1
        for _ in range(children):
            end = trie.index(b"\0", pos)
            edge = trie[pos:end]
            child, pos = uleb(trie, end + 1)
            pending.append((child, prefix + edge))
    return sorted(names)


def version_text(packed):
    text = f"{packed >> 16}.{packed >> 8 & 0xFF}"
    return text + (f".{packed & 0xFF}" if packed & 0xFF else "")


def stub_symbols(sdk):
    """Exported symbols of every stub in the SDK by install name (re-exported ones included)."""
    class Loader(yaml.SafeLoader):
        pass
    Loader.add_multi_constructor("!", lambda loader, suffix, node: loader.construct_mapping(node))
    libraries = {}
    for stub in Path(sdk).rglob("*.tbd"):
        documents = [d for d in yaml.load_all(stub.read_text(), Loader=Loader) if d]
        symbols = set()
        for document in documents:
            for section in document.get("exports", []) + document.get("reexports", []):
                symbols.update(section.get("symbols", []) + section.get("weak-symbols", []) +
                               section.get("thread-local-symbols", []))
                for name in section.get("objc-classes", []):
                    symbols.update({f"_OBJC_CLASS_$_{name}", f"_OBJC_METACLASS_$_{name}"})
        libraries[documents[0]["install-name"]] = symbols
    return libraries


def check_signature(data, dataoff, datasize):
    blob = data[dataoff:dataoff + datasize]
    magic, _, count = struct.unpack_from(">III", blob)
    require(magic == 0xFADE0CC0, "no embedded signature")
    for i in range(count):
        kind, offset = struct.unpack_from(">II", blob, 12 + 8 * i)
        if kind != 0:
            continue
        cd = blob[offset:]
        (magic, _, version, flags, hash_offset, _, special, slots, limit, hash_size, hash_type,
         _, page_log) = struct.unpack_from(">IIIIIIIIIBBBB", cd)
        require(magic == 0xFADE0C02, "no code directory")
        require(flags & 0x2, "not signed ad hoc")
        require(limit == dataoff, "the signature does not cover the whole slice")
        page = 1 << page_log
        require(slots == -(-limit // page), "page count does not match the code limit")
        algorithm = {1: hashlib.sha1, 2: hashlib.sha256}[hash_type]
        for slot in range(slots):
            digest = algorithm(data[slot * page:min((slot + 1) * page, limit)]).digest()
            stored = cd[hash_offset + slot * hash_size:hash_offset + (slot + 1) * hash_size]
            require(digest[:hash_size] == stored, f"page {slot} hash differs")
        return f"{slots} pages of {page} bytes hashed ({algorithm().name}), version {version:#x}"
    raise Failure("no code directory")


def check_slice(data, arch, minimum, export, stubs):
    magic, _, _, filetype, ncmds, _, flags = struct.unpack_from("<IiiIIII", data)
    require(magic == 0xFEEDFACF, "not a 64-bit Mach-O")
    require(filetype == MH_BUNDLE, f"file type {filetype}, not a bundle")
    require(flags & 0x80, "not a two-level namespace")
    # Weak definitions the loader would merge with the host's (operator new, type infos).
    require(not flags & 0x18000, "defines or binds to weak symbols")
    pos, libraries, found = 32, [], {}
    for _ in range(ncmds):
        cmd, size = struct.unpack_from("<II", data, pos)
        if cmd in DYLIB_COMMANDS:
            offset = struct.unpack_from("<I", data, pos + 8)[0]
            libraries.append(data[pos + offset:pos + size].split(b"\0")[0].decode())
        elif cmd == LC_BUILD_VERSION:
            platform, minos = struct.unpack_from("<II", data, pos + 8)
            require(platform == 1, f"platform {platform}, not macOS")
            found["minimum"] = version_text(minos)
        elif cmd == LC_VERSION_MIN_MACOSX:
            found["minimum"] = version_text(struct.unpack_from("<I", data, pos + 8)[0])
        elif cmd in (LC_DYLD_INFO, LC_DYLD_INFO_ONLY):
            found["trie"] = struct.unpack_from("<II", data, pos + 40)
        elif cmd == LC_DYLD_EXPORTS_TRIE:
            found["trie"] = struct.unpack_from("<II", data, pos + 8)
        elif cmd == LC_SYMTAB:
            found["symtab"] = struct.unpack_from("<IIII", data, pos + 8)
        elif cmd == LC_DYSYMTAB:
            found["undefined"] = struct.unpack_from("<II", data, pos + 8 + 16)
        elif cmd == LC_CODE_SIGNATURE:
            found["signature"] = struct.unpack_from("<II", data, pos + 8)
        pos += size
    require(found.get("minimum") == minimum,
            f"minimum system {found.get('minimum')}, expected {minimum}")
    for library in libraries:
        require(library in ALLOWED_LIBRARIES or library.startswith("/System/Library/Frameworks/"),
                f"depends on {library}")
    trie_offset, trie_size = found["trie"]
    exports = trie_names(data[trie_offset:trie_offset + trie_size])
    require(sorted(exports) == sorted(export.split(",")), f"exports {exports}")
    symoff, _, stroff, _ = found["symtab"]
    first, count = found["undefined"]
    for index in range(first, first + count):
        strx, _, _, desc, _ = struct.unpack_from("<IBBhQ", data, symoff + 16 * index)
        name = data[stroff + strx:data.index(b"\0", stroff + strx)].decode()
        ordinal = (desc >> 8) & 0xFF
        require(1 <= ordinal <= len(libraries), f"{name} is not bound to a library ({ordinal})")
        library = libraries[ordinal - 1]
        require(library in stubs, f"no stub for {library}")
        require(name in stubs[library], f"{name} is not exported by {library}")
    signature = check_signature(data, *found["signature"])
    names = ", ".join(Path(library).name for library in libraries)
    return (f"{arch}: {len(data)} bytes, bundle for macOS {minimum}+, "
            f"exports {export.replace(',', ', ')} alone, {count} imports bound to {names}; "
            f"signature valid: {signature}")


def check_bundle(bundle, sdk, export, minimums):
    bundle = Path(bundle)
    contents = bundle / "Contents"
    info = plistlib.loads((contents / "Info.plist").read_bytes())
    for key in PLIST_KEYS:
        require(isinstance(info.get(key), str) and info[key], f"Info.plist lacks {key}")
    require(info["CFBundlePackageType"] == "BNDL", "package type is not BNDL")
    require(info["LSMinimumSystemVersion"] == min(minimums.values(), key=lambda v: [int(x) for x in v.split(".")]),
            "LSMinimumSystemVersion differs from the oldest slice's")
    pkginfo = (contents / "PkgInfo").read_bytes()
    require(pkginfo == f"BNDL{info['CFBundleSignature']}".encode(), "PkgInfo differs from Info.plist")
    files = sorted(str(p.relative_to(bundle)) for p in bundle.rglob("*") if p.is_file())
    executable = f"Contents/MacOS/{info['CFBundleExecutable']}"
    require(files == sorted(["Contents/Info.plist", "Contents/PkgInfo", executable]),
            f"layout: {files}")
    data = (bundle / executable).read_bytes()
    magic, count = struct.unpack_from(">II", data)
    require(magic == 0xCAFEBABE, "not a universal file")
    stubs = stub_symbols(sdk)
    lines, seen = [], []
    for i in range(count):
        cputype, _, offset, size, _ = struct.unpack_from(">iiIII", data, 8 + 20 * i)
        arch = CPU.get(cputype, hex(cputype))
        seen.append(arch)
        require(arch in minimums, f"unexpected slice {arch}")
        lines.append(check_slice(data[offset:offset + size], arch, minimums[arch], export, stubs))
    require(sorted(seen) == sorted(minimums), f"slices {seen}")
    return [f"{bundle.name}: layout and Info.plist ({info['CFBundleIdentifier']} "
            f"{info['CFBundleShortVersionString']})"] + ["  " + line for line in lines]


def main():
    bundle, sdk, export, *slices = sys.argv[1:]
    minimums = dict(item.split("=") for item in slices)
    try:
        print("\n".join(check_bundle(bundle, sdk, export, minimums)))
    except (Failure, OSError, KeyError, struct.error) as error:
        print(f"{bundle}: FAILED: {error}")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())

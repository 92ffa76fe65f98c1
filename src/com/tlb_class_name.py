#!/usr/bin/env python3
"""Gives a class of a type library the name of an interface of the same library.

    tlb_class_name.py LIBRARY.tlb CLASS-AS-WRITTEN INTERFACE-NAME

widl keeps classes and interfaces in one namespace, so a class that bears the name of the
interface it implements (as the host's ComplementInfo does) is written under another name in
the IDL. This points the class's name at the interface's name entry in the built library (an
MSFT type library: the header, the type-info table, the name table), so both read the same
name, as a library made by another tool would have them share one entry. The file is changed
in place; any other shape of file is refused with a message and exit status 1.
"""
import struct
import sys

TKIND_COCLASS = 5
HELPDLL_FLAG = 0x100
HEADER_SIZE = 0x54
SEGMENTS = 15
TYPEINFO_SIZE = 0x64
NAME_OFFSET_FIELD = 0x34  # MSFT_TypeInfoBase.NameOffset
TYPEKIND_MASK = 0xF


def fail(message):
    sys.stderr.write("tlb_class_name: %s\n" % message)
    sys.exit(1)


def main():
    if len(sys.argv) != 4:
        fail("usage: tlb_class_name.py LIBRARY.tlb CLASS-AS-WRITTEN INTERFACE-NAME")
    path, written, wanted = sys.argv[1], sys.argv[2].encode(), sys.argv[3].encode()
    data = bytearray(open(path, "rb").read())
    if data[:4] != b"MSFT":
        fail("%s is no MSFT type library" % path)
    varflags = struct.unpack_from("<i", data, 0x14)[0]
    count = struct.unpack_from("<i", data, 0x20)[0]
    position = HEADER_SIZE + (4 if varflags & HELPDLL_FLAG else 0) + 4 * count
    segments = [struct.unpack_from("<iiii", data, position + 16 * i) for i in range(SEGMENTS)]
    typeinfos, names = segments[0][0], segments[7][0]

    def name_at(offset):
        length = struct.unpack_from("<i", data, names + offset + 8)[0] & 0xFF
        start = names + offset + 12
        return bytes(data[start:start + length])

    classes, others = [], []
    for i in range(count):
        base = typeinfos + i * TYPEINFO_SIZE
        kind = struct.unpack_from("<i", data, base)[0] & TYPEKIND_MASK
        offset = struct.unpack_from("<i", data, base + NAME_OFFSET_FIELD)[0]
        name = name_at(offset)
        if kind == TKIND_COCLASS and name == written:
            classes.append(base)
        elif name == wanted:
            others.append(offset)
    if len(classes) != 1:
        fail("%s: no single class written %s" % (path, written.decode()))
    if not others:
        fail("%s: no type named %s" % (path, wanted.decode()))
    struct.pack_into("<i", data, classes[0] + NAME_OFFSET_FIELD, others[0])
    open(path, "wb").write(data)


if __name__ == "__main__":
    main()

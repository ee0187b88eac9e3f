#!/usr/bin/env python3
"""Checks which DLLs a Windows executable loads at start and which on first call.

Usage: check_imports.py EXE --start DLL... --delayed DLL...   (DLL names without ".dll", any case)

The import table (read by objdump) must name exactly the --start DLLs. Each --delayed DLL must have a
delay-import descriptor (found by nm through its symbol, since GNU ld leaves the header's directory
entry empty), and every address slot of it must hold the address of its loading stub inside the
executable: a null slot makes the first call jump to address 0.
"""
import argparse
import re
import struct
import subprocess
import sys


def dll_name(text):
    return re.sub(r'\.dll$', '', text.lower())


def import_table(exe):
    listing = subprocess.run(['i686-w64-mingw32-objdump', '-p', exe], capture_output=True, text=True,
                             check=True).stdout
    return {dll_name(name) for name in re.findall(r'DLL Name: (\S+)', listing)}


class Image:
    def __init__(self, exe):
        with open(exe, 'rb') as f:
            self.data = f.read()
        pe = struct.unpack_from('<I', self.data, 0x3c)[0]
        sections, optional_size = struct.unpack_from('<H12xH', self.data, pe + 6)
        self.base, = struct.unpack_from('<I', self.data, pe + 24 + 28)
        self.size, = struct.unpack_from('<I', self.data, pe + 24 + 56)
        table = pe + 24 + optional_size
        self.sections = [struct.unpack_from('<8xIIII', self.data, table + 40 * i) for i in range(sections)]

    def offset(self, rva):
        for virtual_size, address, raw_size, raw_offset in self.sections:
            if address <= rva < address + max(virtual_size, raw_size):
                return raw_offset + rva - address
        raise ValueError('address %#x is in no section' % rva)

    def dword(self, rva):
        return struct.unpack_from('<I', self.data, self.offset(rva))[0]

    def text(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b'\0', start)].decode('ascii')


def delay_imports(image, exe):
    """{dll: [slot values]} of every delay-import descriptor."""
    symbols = subprocess.run(['i686-w64-mingw32-nm', exe], capture_output=True, text=True, check=True).stdout
    found = {}
    for address in re.findall(r'^([0-9a-f]+) \S __DELAY_IMPORT_DESCRIPTOR_', symbols, re.M):
        descriptor = int(address, 16) - image.base
        attributes, name, _, iat, names = (image.dword(descriptor + 4 * i) for i in range(5))
        if attributes != 1:
            raise ValueError('descriptor at %#x does not hold relative addresses' % descriptor)
        # The name table ends with a null entry; the address slots, one per name, may not hold one.
        count = 0
        while image.dword(names + 4 * count):
            count += 1
        slots = [image.dword(iat + 4 * i) for i in range(count)]
        found[dll_name(image.text(name))] = slots
    return found


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('exe')
    parser.add_argument('--start', nargs='+', required=True)
    parser.add_argument('--delayed', nargs='+', required=True)
    args = parser.parse_args()
    failures = []
    start = import_table(args.exe)
    expected = {dll_name(dll) for dll in args.start}
    if start != expected:
        failures.append('loaded at start: %s; expected: %s' % (sorted(start), sorted(expected)))
    image = Image(args.exe)
    delayed = delay_imports(image, args.exe)
    for dll in (dll_name(dll) for dll in args.delayed):
        if dll not in delayed:
            failures.append('%s is not delay-loaded' % dll)
            continue
        slots = delayed[dll]
        if not slots:
            failures.append('%s has no delay-loaded function' % dll)
        for index, value in enumerate(slots):
            if not image.base <= value < image.base + image.size:
                failures.append('%s: slot %d holds %#x, outside the executable' % (dll, index, value))
    for failure in failures:
        print(failure)
    if not failures:
        print('%s: %d DLLs at start, %d on first call' % (args.exe, len(start), len(args.delayed)))
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())

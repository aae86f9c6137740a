#!/usr/bin/env python3
"""Checks that calls between platform/'s libraries run down the layers of
include_layers.cmake, following them through the screen: no function of a
library reaches, directly or by way of a screen's functions, a function of a
library of its own layer or above (gdi32 never reaches user32, the drivers
never winmm). The screens themselves call up into the core to report events;
they are followed, never checked. The graph comes from the object files'
disassembly (objdump -dr), one screen at a time, as each is linked alone.

    call_layers.py LAYERS_CMAKE PLATFORM_BUILD_DIR
"""
import collections
import glob
import os
import re
import subprocess
import sys

SCREENS = ('gtk', 'headless')


def read_layers(path):
    pattern = re.compile(r'^set\(layer_(\S+)\s+(\d+)\)')
    with open(path) as table:
        return {m.group(1): int(m.group(2)) for m in map(pattern.match, table) if m}


def folder_of(object_file):
    return object_file.split('/platform/', 1)[1].split('/CMakeFiles/', 1)[0]


def functions_and_calls(object_files):
    """Each function's folders, and the symbols each function refers to."""
    owners = collections.defaultdict(set)
    calls = collections.defaultdict(set)
    header = re.compile(r'^[0-9a-f]+ <(.+)>:$')
    reference = re.compile(r'R_X86_64_\w+\s+([^\s+-]+)|\s(?:call|jmp)\s+[0-9a-f]+ <([^>+]+)')
    for object_file in object_files:
        listing = subprocess.run(['objdump', '-dr', '--no-show-raw-insn', object_file],
                                 capture_output=True, text=True, check=True).stdout
        current = None
        for line in listing.splitlines():
            if m := header.match(line):
                current = m.group(1)
                owners[current].add(folder_of(object_file))
            elif current and (m := reference.search(line)):
                calls[current].add(m.group(1) or m.group(2))
    # Inline and template functions compiled into several folders belong to none.
    return {f: next(iter(o)) for f, o in owners.items() if len(o) == 1}, calls


def violations(owner, calls, layers):
    found = {}
    for start, folder in owner.items():
        if folder in SCREENS:
            continue
        seen, todo = {start}, [start]
        while todo:
            caller = todo.pop()
            for callee in calls.get(caller, ()):
                if callee not in owner or callee in seen:
                    continue
                seen.add(callee)
                todo.append(callee)
                reached = owner[callee]
                if reached != folder and reached not in SCREENS and layers[reached] >= layers[folder]:
                    found.setdefault((folder, reached), f'{folder} reaches {reached}: {start} ... {caller} -> {callee}')
    return list(found.values())


def main():
    layers = read_layers(sys.argv[1])
    objects = glob.glob(os.path.join(sys.argv[2], '**', '*.o'), recursive=True)
    objects = [o for o in objects if folder_of(o) in layers]
    unknown = {folder_of(o) for o in glob.glob(os.path.join(sys.argv[2], '**', '*.o'), recursive=True)} - set(layers)
    problems = [f'platform/{u} has no layer in include_layers.cmake' for u in sorted(unknown)]
    for screen in SCREENS:
        chosen = [o for o in objects if folder_of(o) not in SCREENS or folder_of(o) == screen]
        if not any(folder_of(o) == screen for o in chosen):
            problems.append(f'no object files of platform/{screen} under {sys.argv[2]}')
            continue
        owner, calls = functions_and_calls(chosen)
        problems += [f'with {screen}: {v}' for v in violations(owner, calls, layers)]
    for problem in problems:
        print(problem)
    print(f'{len(objects)} object files checked, {len(problems)} problems')
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())

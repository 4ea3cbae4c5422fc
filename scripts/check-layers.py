#!/usr/bin/env python3
"""Refuses an include that runs up the layers.

Each folder may include itself and the folders named for it below; a `gui/` folder may also
include what its folder may, and the `gui/` folders of those. Core folders include no Qt header.
Usage: check-layers.py [ROOT]  (exit 1 and one line per wrong include)."""
import os
import re
import sys

# Lowest first: support -> store -> link/textout -> analysis -> transfer/views -> app/tools.
MAY_INCLUDE = {
    'res': [],
    'support': ['res'],
    'store': ['support', 'res'],
    'link': ['store', 'support', 'res'],
    'textout': ['store', 'support', 'res'],
    'analysis': ['textout', 'store', 'support', 'res'],
    'transfer': ['link', 'textout', 'store', 'support', 'res'],
    'views/layout': ['support', 'res'],
    'views/table': ['views/layout', 'analysis', 'textout', 'store', 'support', 'res'],
    'views/graph': ['views/table', 'views/layout', 'analysis', 'textout', 'store', 'support', 'res'],
    'views/analysis': ['views/table', 'views/layout', 'analysis', 'textout', 'store', 'support',
                       'res'],
    'app': ['transfer', 'analysis', 'link', 'textout', 'store', 'support', 'res'],
    # The tool writes the table view's outputs (一括出力).
    'tools': ['app', 'transfer', 'views/table', 'views/layout', 'analysis', 'link', 'textout',
              'store', 'support', 'res'],
}
# Tests, benchmarks and fuzz targets stand on top of everything.
ANYTHING = {'tests', 'bench', 'fuzz'}
# The shell may show everything below it.
MAY_INCLUDE_GUI_EXTRA = {
    'app': ['views/analysis', 'views/graph', 'views/table', 'views/layout'],
}
FOLDERS = sorted(MAY_INCLUDE, key=len, reverse=True)
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)


def unit_of(path):
    """The folder a file belongs to, with '/gui' when it is a widget file."""
    for folder in FOLDERS:
        if path.startswith(folder + '/'):
            rest = path[len(folder) + 1:]
            return folder + '/gui' if rest.startswith('gui/') else folder
    return None


def allowed_units(unit):
    folder, is_gui = (unit[:-4], True) if unit.endswith('/gui') else (unit, False)
    below = MAY_INCLUDE[folder] + (MAY_INCLUDE_GUI_EXTRA.get(folder, []) if is_gui else [])
    units = {folder} | set(below)
    if is_gui:
        units |= {folder + '/gui'} | {b + '/gui' for b in below}
    return units


def check(root):
    faults = []
    for dirpath, dirnames, filenames in os.walk(root):
        dirnames[:] = [d for d in dirnames if not d.startswith(('.', 'build'))]
        for name in filenames:
            if not name.endswith(('.h', '.cpp')):
                continue
            path = os.path.relpath(os.path.join(dirpath, name), root).replace(os.sep, '/')
            if path.split('/')[0] in ANYTHING:
                continue
            unit = unit_of(path)
            if unit is None:
                continue
            with open(os.path.join(root, path), encoding='utf-8', errors='replace') as f:
                text = f.read()
            may = allowed_units(unit)
            for quote, target in INCLUDE.findall(text):
                if quote == '<':
                    if not unit.endswith('/gui') and re.match(r'Q[A-Za-z]', target):
                        faults.append(f'{path}: core file includes Qt header <{target}>')
                    continue
                target_unit = unit_of(target)
                if target_unit is not None and target_unit not in may:
                    faults.append(f'{path}: {unit} may not include "{target}" ({target_unit})')
    return faults


if __name__ == '__main__':
    faults = check(sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.dirname(
        os.path.abspath(__file__))))
    for fault in faults:
        print(fault)
    sys.exit(1 if faults else 0)

#!/usr/bin/env python3
"""Fails on any #include that src/layers.txt does not allow: a folder including a folder above
it or beside it, or Qt outside the folders that may use it."""
import pathlib
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
QT_HEADER = re.compile(r'^(Q[A-Za-z]|qt)')


def read_table(path):
    table = {}
    for number, line in enumerate(path.read_text().splitlines(), 1):
        line = line.split('#', 1)[0].split()
        if not line:
            continue
        if len(line) < 2 or line[1] not in ('yes', 'no'):
            sys.exit(f'{path}:{number}: expected "folder yes|no [folders...]"')
        table[line[0]] = (line[1] == 'yes', set(line[2:]))
    for folder, (_, allowed) in table.items():
        for other in allowed - table.keys():
            sys.exit(f'{path}: {folder} may include {other}, which the table does not list')
    return table


def owner(table, relative):
    """The deepest folder of the table that holds `relative` (a path under src/ or the root)."""
    parts = pathlib.PurePosixPath(relative).parts[:-1]
    for n in range(len(parts), 0, -1):
        folder = '/'.join(parts[:n])
        if folder in table:
            return folder
    return None


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else '.')
    table = read_table(root / 'src' / 'layers.txt')
    faults = []
    sources = [p for base in ('src', 'tools') for p in (root / base).rglob('*')
               if p.suffix in ('.h', '.cpp')]
    for path in sorted(sources):
        relative = path.relative_to(root).as_posix()
        under_src = relative[len('src/'):] if relative.startswith('src/') else relative
        folder = owner(table, under_src)
        if folder is None:
            faults.append(f'{relative}: its folder is not in src/layers.txt')
            continue
        may_use_qt, allowed = table[folder]
        for number, line in enumerate(path.read_text(errors='replace').splitlines(), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            bracket, header = match.groups()
            where = f'{relative}:{number}'
            if bracket == '<':
                if QT_HEADER.match(header) and not may_use_qt:
                    faults.append(f'{where}: {folder} may not include Qt ({header})')
                continue
            if '/' not in header:
                continue  # a header beside the file
            target = owner(table, header)
            if target is None:
                faults.append(f'{where}: "{header}" is in no folder of src/layers.txt')
            elif target != folder and target not in allowed:
                faults.append(f'{where}: {folder} may not include {target} ("{header}")')
    if faults:
        print('Includes that cross the layers of src/layers.txt:')
        print('\n'.join(faults))
        return 1
    print(f'{len(sources)} files keep to the layers of src/layers.txt')
    return 0


if __name__ == '__main__':
    sys.exit(main())

#!/usr/bin/env python3
"""Counts the member functions declared in each class or struct of C++ headers and sources, and
exits 1 when a class has more than 25. Usage: python3 tools/count_members.py app scan profile clean ui platform
Counts every declared member function: constructors, destructors, operators, overrides,
templates; not data members, not nested classes' members, not friend declarations."""
import re, sys, os

def strip(text):
    text = re.sub(r'//[^\n]*', '', text)
    text = re.sub(r'/\*.*?\*/', '', text, flags=re.S)
    text = re.sub(r'"(\\.|[^"\\])*"', '""', text)
    text = re.sub(r"'(\\.|[^'\\])*'", "''", text)
    text = re.sub(r'^\s*#[^\n]*', '', text, flags=re.M)
    return text

def drop_angles(s):
    # removes template argument lists (nested)
    out, depth = [], 0
    i = 0
    while i < len(s):
        c = s[i]
        if c == '<' and not s[max(0,i-8):i].endswith('operator') and s[i+1:i+2] not in ('<', '='):
            depth += 1
        elif c == '>' and depth > 0 and s[i-1:i] != '-':
            depth -= 1
        elif depth == 0:
            out.append(c)
        i += 1
    return ''.join(out)

def is_function(stmt, cls):
    s = drop_angles(stmt.strip())
    s = re.sub(r'^(public|private|protected)\s*:', '', s).strip()
    if not s or s.startswith(('friend', 'using', 'typedef', 'static_assert', 'enum', 'class', 'struct')):
        return False
    s = re.sub(r'^template\s*', '', s)
    # member initialisers: x = f(...); or x{...}
    head = s.split('=')[0] if not re.search(r'operator\s*[=!<>+\-*/]=?\s*\(', s) else s
    m = re.search(r'(~?\b[A-Za-z_]\w*|operator\s*(\(\)|[^\s(]+))\s*\(', head)
    if not m:
        return False
    before = head[:m.start()]
    # a data member of function-pointer type: (*name)
    if re.search(r'\(\s*\*', head):
        return False
    name = m.group(1)
    if name in ('decltype', 'alignas', 'sizeof', 'noexcept'):
        return False
    return True

def classes(text):
    for m in re.finditer(r'\b(class|struct)\s+(\w+)\s*(final\s*)?(:[^;{]*)?\{', text):
        name = m.group(2)
        start = m.end()
        depth, i, stmt, count = 1, start, '', 0
        while i < len(text) and depth > 0:
            c = text[i]
            if c == '{':
                if depth == 1:
                    if is_function(stmt, name): count += 1
                    stmt = '#body'
                depth += 1
            elif c == '}':
                depth -= 1
                if depth == 1: stmt = ''
            elif depth == 1:
                if c == ';':
                    if stmt != '#body' and is_function(stmt, name): count += 1
                    stmt = ''
                elif c == ':' and re.fullmatch(r'\s*(public|private|protected)\s*', stmt):
                    stmt = ''
                else:
                    stmt = '' if stmt == '#body' and c.strip() == '' else (stmt if stmt != '#body' else '') + c
            i += 1
        yield name, count

def main(roots):
    rows = []
    for root in roots:
        for dp, _, files in os.walk(root):
            for f in files:
                if f.endswith(('.h', '.hpp', '.cpp')):
                    p = os.path.join(dp, f)
                    for name, n in classes(strip(open(p, encoding='utf-8', errors='replace').read())):
                        rows.append((n, name, p))
    rows.sort(reverse=True)
    for n, name, p in rows[:int(os.environ.get('MOST', 15))]:
        print(f'{n:3d} {name} {p}')
    over = [r for r in rows if r[0] > 25]
    print(f'classes over 25: {len(over)}')
    return 1 if over else 0

if __name__ == '__main__':
    sys.exit(main(sys.argv[1:] or ['.']))

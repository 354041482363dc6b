#!/usr/bin/env python3
"""Checks the page templates in res/html/, or with --fix puts their line ends right.

The .htm files are the templates' source: edit them directly. The program serves
their bytes as stored, so these rules are part of every page:
  - every byte is ASCII;
  - every line ends with CR LF, the last one included, except in blank2-page.htm,
    whose last line has no line end.
Without arguments the script lists every file that breaks a rule and exits 1 when
there is one. With --fix it rewrites the line ends (a lone LF or CR becomes CR LF,
the last line end is added or removed) and leaves every other byte as it was; a
non-ASCII byte is only reported, since no rule says what it should become.

The pages are written for WebKit: collections are indexed with [], images
give their URL in src, a selection colour is accepted in the engine's rgb()
form too, scroll bars and fixed backgrounds are CSS, the window size is
window.inner*, the background sound is an AUDIO element whose resolved URL
setSnd compares exactly, and the hand over a thumbnail is cursor:pointer.
Python 3 standard library only.
"""
import os
import sys

HTML_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'html')
NO_FINAL_LINE_END = {'blank2-page.htm'}


def lines_of(data):
    """The lines of data without their line ends (CR LF, LF or a lone CR)."""
    lines = data.replace(b'\r\n', b'\n').replace(b'\r', b'\n').split(b'\n')
    if lines and lines[-1] == b'':
        lines.pop()
    return lines


def normalised(name, data):
    text = b'\r\n'.join(lines_of(data))
    if name not in NO_FINAL_LINE_END:
        text += b'\r\n'
    return text


def problems(name, data):
    found = []
    if any(byte >= 0x80 for byte in data):
        found.append('a byte outside ASCII')
    if data != normalised(name, data):
        found.append('line ends other than CR LF'
                     + (', or a line end after the last line' if name in NO_FINAL_LINE_END
                        else ', or no line end after the last line'))
    return found


def main(argv):
    fix = argv[1:] == ['--fix']
    if argv[1:] and not fix:
        print('usage: make_templates.py [--fix]', file=sys.stderr)
        return 2
    failed = False
    for name in sorted(os.listdir(HTML_DIR)):
        if not name.endswith('.htm'):
            continue
        path = os.path.join(HTML_DIR, name)
        with open(path, 'rb') as f:
            data = f.read()
        if fix and data != normalised(name, data):
            with open(path, 'wb') as f:
                f.write(normalised(name, data))
            print('%s: line ends put right' % name)
            data = normalised(name, data)
        for problem in problems(name, data):
            print('%s: %s' % (name, problem))
            failed = True
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))

#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the program's one self-contained page: the template with its style, its scripts
(the compiled program, WebAssembly inside, and the page's own) and its fonts put in place."""
import argparse
import base64
import json
import pathlib

from fontTools.ttLib import TTFont

from page_file import write_page


def metrics(path):
    """The vertical metrics of a face, in font units, as the desktop's font engine reads
    them: a face that asks for its typographic metrics (OS/2 bit 7) gets those, rounded to
    whole pixels; any other gets its horizontal header's, exact."""
    face = TTFont(path)
    os2 = face['OS/2']
    if os2.fsSelection & (1 << 7):
        ascent, descent, whole = os2.sTypoAscender, -os2.sTypoDescender, True
    else:
        ascent, descent, whole = face['hhea'].ascent, -face['hhea'].descent, False
    return {'unitsPerEm': face['head'].unitsPerEm, 'ascent': ascent, 'descent': descent,
            'whole': whole}


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument('--template', required=True)
    parser.add_argument('--style', required=True)
    parser.add_argument('--page', required=True, help="the page's script")
    parser.add_argument('--module', required=True, help='the compiled program')
    parser.add_argument('--tahoma', required=True)
    parser.add_argument('--sans', required=True)
    parser.add_argument('--out', required=True)
    parser.add_argument('--max-bytes', type=int, default=1_500_000)
    args = parser.parse_args()

    def text(path):
        return pathlib.Path(path).read_text(encoding='utf-8')

    def font(path):
        return base64.b64encode(pathlib.Path(path).read_bytes()).decode('ascii')

    scripts = {'@@MODULE@@': text(args.module), '@@PAGE@@': text(args.page)}
    parts = {
        '@@STYLE@@': text(args.style),
        '@@TAHOMA@@': font(args.tahoma),
        '@@SANS@@': font(args.sans),
        '@@METRICS@@': json.dumps({'VornakTahoma': metrics(args.tahoma),
                                   'VornakSans': metrics(args.sans)}),
    }
    write_page('make_page', text(args.template), scripts, parts, args.out, args.max_bytes)


if __name__ == '__main__':
    main()

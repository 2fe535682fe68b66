#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes vornak-sky.html, one self-contained page: the template with its style, the compiled
program (WebAssembly and the ephemeris files inside), uPlot and the page's script inline,
and the licences of everything in it."""
import argparse
import html
import pathlib
import sys

# The page builders' shared last step, beside the web backend's own builder.
sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] / 'toolkit' / 'web'))
from page_file import write_page  # noqa: E402


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    for name in ('template', 'style', 'page', 'module', 'uplot', 'uplot-style', 'out'):
        parser.add_argument('--' + name, required=True)
    parser.add_argument('--licence', action='append', default=[],
                        help='NAME|SPDX|FILE: a licence shown in the page')
    parser.add_argument('--max-bytes', type=int, default=4_000_000)
    args = parser.parse_args()

    def text(path):
        return pathlib.Path(path).read_text(encoding='utf-8', errors='replace')

    scripts = {'@@MODULE@@': text(args.module), '@@UPLOT@@': text(args.uplot),
               '@@PAGE@@': text(args.page)}
    licences = []
    for entry in args.licence:
        name, spdx, path = entry.split('|', 2)
        title = f'{name} ({spdx})' if spdx else name
        licences.append(f'<details><summary>{html.escape(title)}</summary>'
                        f'<pre>{html.escape(text(path))}</pre></details>')
    parts = {'@@STYLE@@': text(args.uplot_style) + '\n' + text(args.style),
             '@@LICENCES@@': '\n'.join(licences)}
    write_page('make_sky_page', text(args.template), scripts, parts, args.out, args.max_bytes)


if __name__ == '__main__':
    main()

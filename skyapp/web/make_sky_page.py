#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes vornak-sky.html, one self-contained page: the template with its style, the compiled
program (WebAssembly and the ephemeris files inside), uPlot and the page's script inline,
and the licences of everything in it."""
import argparse
import html
import pathlib
import re
import sys


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
    for key, script in scripts.items():
        # An inline script ends at the first "</script", whatever the script means by it.
        if '</script' in script.lower():
            sys.exit(f'make_sky_page: {key} holds "</script": cannot inline it')
    licences = []
    for entry in args.licence:
        name, spdx, path = entry.split('|', 2)
        title = f'{name} ({spdx})' if spdx else name
        licences.append(f'<details><summary>{html.escape(title)}</summary>'
                        f'<pre>{html.escape(text(path))}</pre></details>')
    parts = dict(scripts)
    parts['@@STYLE@@'] = text(args.uplot_style) + '\n' + text(args.style)
    parts['@@LICENCES@@'] = '\n'.join(licences)
    page = text(args.template)
    for key, value in parts.items():
        if page.count(key) != 1:
            sys.exit(f'make_sky_page: the template must hold {key} exactly once')
        page = page.replace(key, value)
    # Nothing is fetched at run time: no source or link to another address.
    if re.search(r'''(src|href)\s*=\s*["']?\s*https?:''', page, re.IGNORECASE):
        sys.exit('make_sky_page: the page refers to an http(s) address')
    data = page.encode('utf-8')
    if len(data) > args.max_bytes:
        sys.exit(f'make_sky_page: the page is {len(data)} bytes, above the {args.max_bytes} allowed')
    out = pathlib.Path(args.out)
    out.parent.mkdir(parents=True, exist_ok=True)
    out.write_bytes(data)


if __name__ == '__main__':
    main()

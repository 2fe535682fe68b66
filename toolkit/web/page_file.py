# SPDX-License-Identifier: GPL-3.0-or-later
"""What every page builder does last: the template filled, the page checked and written.

A page is one file that works offline from anywhere, so it may refer to no other address, and
an inline script must not hold the text that would end it early."""
import pathlib
import re
import sys


def write_page(who, template, scripts, parts, out, max_bytes):
    """Puts `scripts` and `parts` (placeholder -> text) into `template`, each placeholder once,
    and writes the page to `out`; stops the build, naming `who`, on a script that holds
    "</script", a placeholder not found exactly once, a source or link to an http(s) address,
    or a page of more than `max_bytes`."""
    for key, script in scripts.items():
        # An inline script ends at the first "</script", whatever the script means by it.
        if '</script' in script.lower():
            sys.exit(f'{who}: {key} holds "</script": cannot inline it')
    page = template
    for key, value in {**scripts, **parts}.items():
        if page.count(key) != 1:
            sys.exit(f'{who}: the template must hold {key} exactly once')
        page = page.replace(key, value)
    # Nothing is fetched at run time: no source or link to another address.
    if re.search(r'''(src|href)\s*=\s*["']?\s*https?:''', page, re.IGNORECASE):
        sys.exit(f'{who}: the page refers to an http(s) address')
    data = page.encode('utf-8')
    if len(data) > max_bytes:
        sys.exit(f'{who}: the page is {len(data)} bytes, above the {max_bytes} allowed')
    path = pathlib.Path(out)
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes(data)

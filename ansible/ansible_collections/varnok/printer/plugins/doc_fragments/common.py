# The options every module of the collection takes.

from __future__ import absolute_import, division, print_function

__metaclass__ = type


class ModuleDocFragment(object):
    DOCUMENTATION = r'''
options:
  server:
    description:
      - The print server varnok-printer speaks to, as its C(-h) option takes it
        (C(HOST[:PORT]), or the path of a local scheduler socket).
      - By default the one libcups chooses on the managed host (C(CUPS_SERVER), else the
        host's own scheduler).
    type: str
  varnok_printer:
    description:
      - The path of the varnok-printer program on the managed host.
      - By default the environment variable C(VARNOK_PRINTER) of the task, else
        C(varnok-printer) on the C(PATH).
    type: path
notes:
  - The modules run varnok-printer on the managed host, in English, and read its JSON; the
    varnok-printer package must be installed there.
requirements:
  - varnok-printer on the managed host (the print server)
'''

    JOURNAL = r'''
options:
  journal:
    description:
      - The print server's journal, as varnok-printer's C(--journal) option takes it.
      - By default C(VARNOK_JOURNAL), else C(/var/lib/varnok-printer/journal.sqlite).
    type: path
'''

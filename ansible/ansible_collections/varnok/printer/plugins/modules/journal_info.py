from __future__ import absolute_import, division, print_function

__metaclass__ = type

DOCUMENTATION = r'''
module: journal_info
short_description: What the print server's journal says each VARNOK queue holds
description:
  - Reads, per queue and setting, the last value the print server's journal saw delivered to
    the printer, or why it is unknown (C(varnok-printer state)).
  - The journal knows what was delivered, not what the printer holds now; a change on its
    panel, a power loss before it saved a setting, or another printer at the same address go
    unseen.
version_added: 2.20.0
author: VarnoK Utility maintainers (!UNKNOWN)
options:
  queues:
    description:
      - The queues to read; every VARNOK queue of the print server when empty.
    type: list
    elements: str
    default: []
extends_documentation_fragment:
  - ansible.builtin.action_common_attributes
  - varnok.printer.common
  - varnok.printer.common.journal
attributes:
  check_mode:
    support: full
  diff_mode:
    support: none
  platform:
    platforms: posix
'''

EXAMPLES = r'''
- name: Read what the dock printers were given
  varnok.printer.journal_info:
    queues: [VARNOK_DOCK1, VARNOK_DOCK2]
  register: delivered

- name: Say which cutter position dock 1 holds
  ansible.builtin.debug:
    msg: "{{ (delivered.queues | selectattr('queue', 'eq', 'VARNOK_DOCK1') | first).settings['cut-position'] }}"
'''

RETURN = r'''
journal:
  description: The journal that was read.
  returned: success
  type: str
  sample: /var/lib/varnok-printer/journal.sqlite
queues:
  description:
    - Each queue as C(varnok-printer state --json) gives it.
    - C(settings) maps each setting's name to its state, C(delivered) with C(value),
      C(delivered_at), C(user), C(host) and C(job), or C(unknown) with C(reason)
      (never-delivered, reset, device-changed, interrupted, printing or failed).
  returned: success
  type: list
  elements: dict
  sample:
    - queue: VARNOK_DOCK1
      device_uri: varnok:socket://192.0.2.10:9100
      journaled: true
      settings:
        cut-position:
          state: delivered
          value: "5"
          delivered_at: "2026-12-10T09:12:44Z"
          user: root
          host: localhost
          job: 12
'''

from ansible.module_utils.basic import AnsibleModule
from ansible_collections.varnok.printer.plugins.module_utils.varnok_printer import (
    COMMON_ARGUMENT_SPEC, JOURNAL_ARGUMENT_SPEC, VarnokPrinter)


def main():
    argument_spec = dict(queues=dict(type='list', elements='str', default=[]))
    argument_spec.update(COMMON_ARGUMENT_SPEC)
    argument_spec.update(JOURNAL_ARGUMENT_SPEC)
    module = AnsibleModule(argument_spec=argument_spec, supports_check_mode=True)
    program = VarnokPrinter(module)
    state = program.json(['state'] + module.params['queues'] + program.journal_words())[1]
    module.exit_json(changed=False, journal=state['journal'], queues=state['queues'])


if __name__ == '__main__':
    main()

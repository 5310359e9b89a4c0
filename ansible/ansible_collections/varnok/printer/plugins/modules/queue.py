from __future__ import absolute_import, division, print_function

__metaclass__ = type

DOCUMENTATION = r'''
module: queue
short_description: A VARNOK label printer's CUPS queue on a print server
description:
  - Makes a CUPS queue for a VARNOK label printer with the model's driver file, or removes
    one, through C(varnok-printer add) and C(varnok-printer remove).
  - A queue that is there with the model and the device asked for is left alone; one with
    another model or device is changed.
  - Everything is checked by varnok-printer (the model, the address, the queue's name, the
    driver file on the print server) before anything changes, in check mode too.
version_added: 2.20.0
author: VarnoK Utility maintainers (!UNKNOWN)
options:
  name:
    description:
      - The queue's name; it begins with VARNOK or Varnok. CUPS takes it in any letter case.
    type: str
    required: true
  model:
    description:
      - The printer's model, as C(varnok-printer models) lists it (letter case does not
        matter). Required when I(state=present).
    type: str
  address:
    description:
      - A network printer's address, C(HOST[:PORT]) (port 9100 when not given).
      - Exactly one of I(address) and I(device_uri) when I(state=present).
    type: str
  device_uri:
    description:
      - The printer's device URI, as C(varnok-printer devices) shows it.
    type: str
  journal:
    description:
      - Whether the queue's jobs go through the print server's journal (the backend
        C(varnok)), so that the M(varnok.printer.profile) module can tell what each printer was
        given.
    type: bool
    default: true
  state:
    description:
      - Whether the queue is there.
    type: str
    choices: [present, absent]
    default: present
extends_documentation_fragment:
  - ansible.builtin.action_common_attributes
  - varnok.printer.common
attributes:
  check_mode:
    support: full
  diff_mode:
    support: full
  platform:
    platforms: posix
'''

EXAMPLES = r'''
- name: The dock printer's queue, through the journal
  varnok.printer.queue:
    name: VARNOK_DOCK1
    model: VARNOK K540 200DPI
    address: 192.0.2.10

- name: No queue for the old printer
  varnok.printer.queue:
    name: VARNOK_OLD
    state: absent
'''

RETURN = r'''
queue:
  description: The queue as it is after the task (as it would be in check mode); null when absent.
  returned: always
  type: dict
  sample:
    name: VARNOK_DOCK1
    model: VARNOK K540 200DPI
    device_uri: varnok:socket://192.0.2.10:9100
'''

from ansible.module_utils.basic import AnsibleModule
from ansible_collections.varnok.printer.plugins.module_utils.varnok_printer import (
    COMMON_ARGUMENT_SPEC, VarnokPrinter)


def described(queue):
    """The queue as the task returns it and its diff shows it."""
    if queue is None:
        return None
    return dict(name=queue['queue'], model=queue['model'], device_uri=queue['device_uri'])


def diff_text(queue):
    if queue is None:
        return ''
    return 'model: %s\ndevice_uri: %s\n' % (queue['model'], queue['device_uri'])


def main():
    argument_spec = dict(
        name=dict(type='str', required=True),
        model=dict(type='str'),
        address=dict(type='str'),
        device_uri=dict(type='str'),
        journal=dict(type='bool', default=True),
        state=dict(type='str', choices=['present', 'absent'], default='present'),
    )
    argument_spec.update(COMMON_ARGUMENT_SPEC)
    module = AnsibleModule(
        argument_spec=argument_spec,
        mutually_exclusive=[('address', 'device_uri')],
        required_if=[('state', 'present', ('model',)),
                     ('state', 'present', ('address', 'device_uri'), True)],
        supports_check_mode=True)
    params = module.params
    program = VarnokPrinter(module)

    # CUPS takes a queue's name in any letter case.
    name = params['name']
    before = next((queue for queue in program.queues() if queue['queue'].lower() == name.lower()),
                  None)
    if params['state'] == 'absent':
        after = None
        if before is not None and not module.check_mode:
            rc, out, err = program.run(['remove', before['queue']])
            if rc != 0:
                program.fail(rc, err, out)
    else:
        # varnok-printer checks the request and says what the queue would be, in the words its
        # list uses, so that the two compare as they are.
        add = ['add', name, '--model', params['model'], '--replace']
        if params['address'] is not None:
            add += ['--address', params['address']]
        else:
            add += ['--device', params['device_uri']]
        if not params['journal']:
            add.append('--no-journal')
        wanted = program.json(add + ['--dry-run'])[1]
        after = dict(queue=wanted['queue'], model=wanted['model'], device_uri=wanted['device_uri'])
        unchanged = before is not None and all(before[key] == after[key]
                                               for key in ('model', 'device_uri'))
        if unchanged:
            after = before
        elif not module.check_mode:
            program.json(add)

    result = dict(changed=described(before) != described(after), queue=described(after))
    if module._diff:
        result['diff'] = dict(before_header=name, after_header=name,
                              before=diff_text(before), after=diff_text(after))
    module.exit_json(**result)


if __name__ == '__main__':
    main()

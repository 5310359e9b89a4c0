from __future__ import absolute_import, division, print_function

__metaclass__ = type

DOCUMENTATION = r'''
module: profile
short_description: Gives VARNOK label printers a profile's settings, only those they lack
description:
  - Sends each queue the settings of a profile that the print server's journal does not show
    delivered to it (C(varnok-printer apply --converge)), all in one job; a queue that was
    given them all before gets no job, so a second run of the same play changes nothing.
  - A queue is changed only when something was sent to it. A queue that fails (a model that
    is not supported, a queue that refuses jobs, an earlier settings job still waiting) fails
    the task with its reason; the other queues are still done, and I(results) says how each
    fared.
  - The whole profile is checked before anything is sent; a profile that does not parse fails
    the task with varnok-printer's message, which names the line, and nothing is sent.
  - The profile comes from a file on the controller (I(src)), a file on the print server
    (I(src) with I(remote_src=true)), the profile's text (I(content)), or the I(settings) and
    I(network) mappings, which the module writes as a profile on the print server.
version_added: 2.20.0
author: VarnoK Utility maintainers (!UNKNOWN)
options:
  queues:
    description:
      - The queues to give the profile. Give these or I(all_supported).
    type: list
    elements: str
  all_supported:
    description:
      - Every queue of the print server whose model varnok-printer supports.
    type: bool
    default: false
  src:
    description:
      - A profile file (C(varnok-printer apply --template) prints one), on the controller,
        found as M(ansible.builtin.copy) finds its files, or on the print server with
        I(remote_src=true).
    type: path
  remote_src:
    description:
      - Whether I(src) is on the print server rather than on the controller.
    type: bool
    default: false
  content:
    description:
      - The profile's text.
    type: str
  settings:
    description:
      - The profile's settings, by the names C(varnok-printer items) lists, each with its
        value, in the order they are to be sent.
    type: dict
  network:
    description:
      - The printer's network card, C(address), C(mask), C(gateway) and C(port); for one queue
        only.
    type: dict
  force:
    description:
      - Send every setting of the profile, even those the journal shows delivered
        (C(varnok-printer apply) without C(--converge)).
    type: bool
    default: false
extends_documentation_fragment:
  - ansible.builtin.action_common_attributes
  - ansible.builtin.action_common_attributes.flow
  - varnok.printer.common
  - varnok.printer.common.journal
attributes:
  action:
    support: full
  async:
    support: none
  check_mode:
    support: full
    details: Sends nothing; says per queue what would be sent (C(--dry-run)).
  diff_mode:
    support: full
    details: Per queue and setting, the delivered value (or unknown) before and the profile's
      value after.
  platform:
    platforms: posix
  bypass_host_loop:
    support: none
'''

EXAMPLES = r'''
- name: The site's profile on every supported printer
  varnok.printer.profile:
    all_supported: true
    settings:
      cut-position: 5
      tear-off: -3
      orientation: bottom-to-top

- name: A profile file from the playbook's files folder, on two queues
  varnok.printer.profile:
    src: site.ini
    queues: [VARNOK_DOCK1, VARNOK_DOCK2]
'''

RETURN = r'''
settings:
  description: The profile's settings, in the order they are sent.
  returned: when the profile was read
  type: list
  elements: str
  sample: [cut-position, tear-off]
results:
  description:
    - Each queue as C(varnok-printer apply --json) gives it; C(result) is sent, unchanged,
      would-send (check mode), not-sent, would-not-send or waiting, with C(reason).
    - Without I(force), C(settings) lists per setting the delivered value C(before) (null when
      unknown), the profile's C(after) and whether it was sent (C(send)).
  returned: when the profile was read
  type: list
  elements: dict
  sample:
    - queue: VARNOK_DOCK1
      model: VARNOK K540 200DPI
      result: sent
      reason: null
      changed: true
      settings:
        - setting: cut-position
          before: null
          before_state: unknown
          after: "5"
          send: true
failed_queues:
  description: The queues that failed, each with its reason.
  returned: when a queue failed
  type: dict
  sample:
    VARNOK_Z9: the model VARNOK Z9 PROTOTYPE is not supported
notice:
  description: What varnok-printer adds for a person, such as that the printers need a power
    cycle.
  returned: when the profile was read
  type: str
'''

import os
import shutil
import tempfile

from ansible.module_utils.basic import AnsibleModule
from ansible.module_utils.common.text.converters import to_text
from ansible_collections.varnok.printer.plugins.module_utils.varnok_printer import (
    COMMON_ARGUMENT_SPEC, JOURNAL_ARGUMENT_SPEC, SENT_RESULTS, VarnokPrinter)

# The name the profile has in varnok-printer's messages when the task gives its text.
INLINE_PROFILE = 'profile.ini'


def profile_text(params):
    """The profile's text, when the task gives it rather than a file on the print server."""
    if params['content'] is not None:
        return params['content']
    lines = []
    for section in ('settings', 'network'):
        if params[section]:
            lines.append('[%s]' % section)
            lines += ['%s = %s' % (name, to_text(value)) for name, value in params[section].items()]
    return '\n'.join(lines) + '\n'


def settings_text(changes, side):
    """One line a setting, as a profile would hold it."""
    lines = []
    for change in changes:
        value = change[side]
        if side == 'before' and change['before_state'] != 'delivered':
            value = '(unknown)'
        lines.append('%s = %s\n' % (change['setting'], value))
    return ''.join(lines)


def queue_diffs(results):
    """Per queue that is or would be sent to, its settings before and after; with force, which
    compares nothing, the commands sent."""
    diffs = []
    for queue in results:
        if queue['result'] not in SENT_RESULTS:
            continue
        header = '%s (%s)' % (queue['queue'], queue['model'])
        changes = queue.get('settings')
        if changes:
            before, after = settings_text(changes, 'before'), settings_text(changes, 'after')
        else:
            before = '(not compared: force)\n'
            after = ''.join('%s = %s\n' % (command['setting'], command['command'].strip())
                            for command in queue['commands'])
        diffs.append(dict(before_header=header, after_header=header, before=before, after=after))
    return diffs


def main():
    argument_spec = dict(
        queues=dict(type='list', elements='str'),
        all_supported=dict(type='bool', default=False),
        src=dict(type='path'),
        remote_src=dict(type='bool', default=False),
        content=dict(type='str'),
        settings=dict(type='dict'),
        network=dict(type='dict'),
        force=dict(type='bool', default=False),
    )
    argument_spec.update(COMMON_ARGUMENT_SPEC)
    argument_spec.update(JOURNAL_ARGUMENT_SPEC)
    module = AnsibleModule(
        argument_spec=argument_spec,
        mutually_exclusive=[('queues', 'all_supported'), ('src', 'content', 'settings'),
                            ('src', 'content', 'network')],
        required_one_of=[('queues', 'all_supported'), ('src', 'content', 'settings', 'network')],
        supports_check_mode=True)
    params = module.params
    if params['src'] is not None and not params['remote_src']:
        module.fail_json(msg='src names a file on the controller: run the module as a task, '
                             'whose action reads it, or give remote_src: true')
    program = VarnokPrinter(module)

    if params['all_supported']:
        queues = [queue['queue'] for queue in program.queues() if queue['supported']]
    else:
        queues = params['queues']
    if not queues:
        module.exit_json(changed=False, results=[], settings=[], notice=None,
                         msg='the print server has no supported queue')

    # An inline profile is written to a folder of its own, where varnok-printer runs so that its
    # messages name the profile shortly ("profile.ini:3: …").
    inline_folder = None
    if params['src'] is not None:
        profile = os.path.abspath(params['src'])
    else:
        inline_folder = tempfile.mkdtemp()
        profile = INLINE_PROFILE
        with open(os.path.join(inline_folder, profile), 'w', encoding='utf-8') as out:
            out.write(profile_text(params))
    words = ['apply'] if params['force'] else ['apply', '--converge']
    words += [profile] + queues + program.journal_words()
    if module.check_mode:
        words.append('--dry-run')
    try:
        rc, applied = program.json(words, cwd=inline_folder, document_statuses=(0, 1))
    finally:
        if inline_folder is not None:
            shutil.rmtree(inline_folder, ignore_errors=True)

    results = applied['results']
    result = dict(changed=any(queue['result'] in SENT_RESULTS for queue in results),
                  results=results, settings=applied['settings'], notice=applied['notice'])
    if module._diff:
        result['diff'] = queue_diffs(results)
    failed = dict((queue['queue'], queue['reason'] or queue['result']) for queue in results
                  if queue['result'] not in SENT_RESULTS + ('unchanged',))
    if rc != 0:
        module.fail_json(
            msg='; '.join('%s: %s' % item for item in failed.items()) or applied['notice'] or
            'varnok-printer ended with status %d' % rc,
            failed_queues=failed, rc=rc, **result)
    module.exit_json(**result)


if __name__ == '__main__':
    main()

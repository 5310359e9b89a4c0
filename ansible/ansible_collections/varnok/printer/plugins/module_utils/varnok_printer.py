# What every module of the collection shares: finding varnok-printer on the print server and
# running it in English with --json. The modules hold no printer logic; the program does.

from __future__ import absolute_import, division, print_function

__metaclass__ = type

import json
import os

from ansible.module_utils.basic import env_fallback

COMMON_ARGUMENT_SPEC = dict(
    server=dict(type='str'),
    varnok_printer=dict(type='path', fallback=(env_fallback, ['VARNOK_PRINTER'])),
)

JOURNAL_ARGUMENT_SPEC = dict(journal=dict(type='path'))

# Results of a queue in the program's JSON that mean its settings went, or would go.
SENT_RESULTS = ('sent', 'would-send')


class VarnokPrinter:
    """varnok-printer on the managed host, run for one module."""

    def __init__(self, module):
        self.module = module
        program = module.params['varnok_printer']
        if program and not os.access(program, os.X_OK):
            module.fail_json(msg='there is no varnok-printer program at %s (varnok_printer)'
                                 % program)
        if not program:
            program = module.get_bin_path('varnok-printer', required=False)
            if not program:
                module.fail_json(
                    msg='varnok-printer is not installed on this host: install the '
                        'varnok-printer package on the print server, or give the '
                        "program's path as varnok_printer.")
        self.program = program

    def run(self, words, cwd=None):
        """Runs the program with the words after its global options; returns rc, out, err."""
        command = [self.program, '--lang', 'en']
        if self.module.params['server']:
            command += ['-h', self.module.params['server']]
        # The program's messages become the tasks' msg: English whatever the host's locale.
        try:
            return self.module.run_command(
                command + list(words), cwd=cwd,
                environ_update=dict(LANG='C.UTF-8', LC_ALL='C.UTF-8', LC_MESSAGES='C.UTF-8'))
        except OSError as error:
            self.module.fail_json(msg='cannot run %s: %s' % (self.program, error))

    def json(self, words, cwd=None, document_statuses=(0,)):
        """Runs the program with --json; fails the task with the program's own message unless
        it ends with one of document_statuses. Returns the status and the document."""
        rc, out, err = self.run(list(words) + ['--json'], cwd=cwd)
        if rc not in document_statuses:
            self.fail(rc, err, out)
        try:
            return rc, json.loads(out)
        except ValueError:
            self.fail(rc, err, out, 'varnok-printer wrote no JSON document')

    def fail(self, rc, err, out, msg=None):
        """Fails the task with the program's own message, else with msg."""
        message = err.strip() or msg or 'varnok-printer ended with status %d' % rc
        self.module.fail_json(msg=message, rc=rc, stderr=err, stdout=out)

    def journal_words(self):
        # Absolute: the program may run in another folder (the profile's).
        journal = self.module.params.get('journal')
        return ['--journal', os.path.abspath(journal)] if journal else []

    def queues(self):
        """The VARNOK queues of the print server, as `list --json` gives them."""
        return self.json(['list'])[1]['queues']

# The profile module's action on the controller: a src on the controller is copied to the print
# server's temporary folder under its own name (so varnok-printer's messages name it), and the
# module reads it there.

from __future__ import absolute_import, division, print_function

__metaclass__ = type

import os

from ansible.errors import AnsibleError
from ansible.module_utils.common.text.converters import to_native
from ansible.module_utils.parsing.convert_bool import boolean
from ansible.plugins.action import ActionBase


class ActionModule(ActionBase):

    TRANSFERS_FILES = True

    def run(self, tmp=None, task_vars=None):
        result = super(ActionModule, self).run(tmp, task_vars)
        del tmp
        module_args = self._task.args.copy()
        try:
            source = module_args.get('src')
            if source is not None and not boolean(module_args.get('remote_src', False),
                                                  strict=False):
                try:
                    source = self._loader.get_real_file(self._find_needle('files', source))
                except AnsibleError as error:
                    result.update(failed=True, msg=to_native(error))
                    return result
                remote = self._connection._shell.join_path(self._connection._shell.tmpdir,
                                                           os.path.basename(source))
                self._transfer_file(source, remote)
                self._fixup_perms2((self._connection._shell.tmpdir, remote))
                module_args.update(src=remote, remote_src=True)
            result.update(self._execute_module(module_name='varnok.printer.profile',
                                               module_args=module_args, task_vars=task_vars))
        finally:
            self._remove_tmp_path(self._connection._shell.tmpdir)
        return result

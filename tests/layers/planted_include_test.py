#!/usr/bin/env python3
"""The layer check passes on the tree and refuses includes planted against the layers."""
import os
import subprocess
import sys
import tempfile

script, tree = sys.argv[1], sys.argv[2]


def run(root):
    return subprocess.run([sys.executable, script, root], capture_output=True, text=True)


ok = run(tree)
if ok.returncode != 0:
    sys.exit('the tree breaks its layers:\n' + ok.stdout)

planted = {
    'support/Bad.h': '#include "app/gui/MainFrame.h"\n',       # up the layers
    'store/Widget.cpp': '#include <QString>\n',                 # Qt in the core
    'analysis/Page.cpp': '#include "views/layout/TextBox.h"\n',  # the old folder cycle
    'link/gui/Ok.cpp': '#include "store/gui/D_CustEdit.h"\n',    # a lower widget: fine
}
with tempfile.TemporaryDirectory() as root:
    for path, text in planted.items():
        os.makedirs(os.path.join(root, os.path.dirname(path)), exist_ok=True)
        with open(os.path.join(root, path), 'w') as f:
            f.write(text)
    bad = run(root)
    flagged = sorted(line.split(':')[0] for line in bad.stdout.splitlines())
    expected = ['analysis/Page.cpp', 'store/Widget.cpp', 'support/Bad.h']
    if bad.returncode != 1 or flagged != expected:
        sys.exit(f'planted includes: exit {bad.returncode}, flagged {flagged}, want {expected}')
print('1 passed, 0 failed')

"""pycairo for the scripts that draw the program's pictures and videos."""

import os
import sys


def import_cairo(script):
    """The cairo module; without it, the script runs again under the system's python3,
    or ends with a message that names `script`."""
    try:
        import cairo
        return cairo
    except ImportError:
        # A pyenv or venv interpreter may come first on PATH; Debian's python3-cairo
        # belongs to the system one.
        system_python = "/usr/bin/python3"
        if os.path.exists(system_python) and os.path.realpath(sys.executable) != os.path.realpath(
                system_python):
            os.execv(system_python, [system_python] + sys.argv)
        sys.exit(f"{script}: pycairo is missing (Debian package python3-cairo)")

# The module under test is the one in the build tree (PYTHONPATH), and the
# program it is compared with is ORV_PROGRAM; tests that need the program
# are skipped without it.
import os

import pytest


@pytest.fixture
def program():
    path = os.environ.get("ORV_PROGRAM")
    if not path:
        pytest.skip("ORV_PROGRAM names no orvantis program")
    return path

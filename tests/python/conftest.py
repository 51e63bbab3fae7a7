"""Shared checks of the Python tests."""
import threading
import time

import pytest


@pytest.fixture
def assert_releases_gil():
    """assert_releases_gil(call): another thread runs in the middle half of call()."""
    def check(call):
        stamps, stop = [], threading.Event()

        def spin():  # a time stamp every 1000 turns, whenever this thread holds the GIL
            turns = 0
            while not stop.is_set():
                turns += 1
                if turns % 1000 == 0:
                    stamps.append(time.perf_counter())
        t = threading.Thread(target=spin)
        t.start()
        start = time.perf_counter()
        call()
        end = time.perf_counter()
        stop.set()
        t.join()
        quarter = (end - start) / 4
        during = sum(start + quarter < s < end - quarter for s in stamps)
        assert during > 5, f"another thread ran {during} thousand turns in the middle half of an array call"
    return check

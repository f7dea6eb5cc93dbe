# Counts, values and pictures as numpy arrays, posters saved as the command
# line saves them, the exponent, and long renders reporting progress and
# stopped by Ctrl-C.
import os
import signal
import subprocess
import threading
import time

import numpy as np
import pytest

import orvantis

# Every point of the default alpha set lies in its view.
SMALL = dict(type="alpha", method="hit-count", filter="log", res=200, steps=100_000, orbits=3)


def test_counts_hold_every_counted_step_on_the_fine_grid():
    recipe = orvantis.Recipe(**SMALL, supersample=2)
    counts = orvantis.counts(recipe)
    assert (counts.shape, counts.dtype) == ((400, 400), np.uint32)
    # Orbit 0's first step is its start point, which is never plotted.
    assert counts.sum() == 100_000 - 1


def test_counts_are_the_grid_itself_held_by_the_array():
    counts = orvantis.counts(orvantis.Recipe(**SMALL))
    assert not counts.flags.owndata and counts.flags.c_contiguous and counts.flags.writeable
    assert type(counts.base).__name__ == "PyCapsule"
    del counts


def test_an_isa_the_environment_names_wrongly_is_refused(monkeypatch):
    monkeypatch.setenv("ORVANTIS_ISA", "bogus")
    with pytest.raises(ValueError, match="^ORVANTIS_ISA: 'bogus' is not scalar, sse2, avx2 or avx512$"):
        orvantis.counts(orvantis.Recipe(res=200, steps=1000))


def test_one_thread_and_two_give_the_same_arrays():
    recipe = orvantis.Recipe(**SMALL)
    assert (orvantis.counts(recipe, threads=1) == orvantis.counts(recipe, threads=2)).all()
    assert (orvantis.image(recipe, threads=1) == orvantis.image(recipe, threads=2)).all()


def test_values_are_summed_where_points_fell():
    recipe = orvantis.Recipe(type="alpha", res=200, steps=100_000, orbits=2)
    values = orvantis.values(recipe)
    counts = orvantis.counts(recipe)
    assert (values.shape, values.dtype) == ((200, 200), np.float64)
    assert ((values > 0) == (counts > 0)).all()
    assert values.sum() == pytest.approx(23394227.150772095, rel=1e-12)
    with pytest.raises(ValueError, match="^values: Hit Count sums no values"):
        orvantis.values(orvantis.Recipe(**SMALL))


def test_pictures_at_depth_8_and_16():
    recipe = orvantis.Recipe(type="alpha", background=(10, 20, 30), res=200, steps=100_000)
    image = orvantis.image(recipe)
    deep = orvantis.image(recipe.replace(depth=16))
    assert (image.shape, image.dtype, deep.dtype) == ((200, 200, 3), np.uint8, np.uint16)
    assert image[0, 0].tolist() == [10, 20, 30] and deep[0, 0].tolist() == [2570, 5140, 7710]


def test_save_writes_the_bytes_of_the_poster_command(tmp_path, program):
    options = ["--type", "alpha", "--method", "hit-count", "--filter", "equalize", "--res", "200",
               "--steps", "60000", "--orbits", "3", "--supersample", "2", "--depth", "16",
               "--background", "10,20,30", "--palette", "2", "--quiet"]
    subprocess.run([program, "poster", *options, "-o", tmp_path / "cli.png", "--counts",
                    tmp_path / "cli.exr"], check=True,
                   env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
    recipe = orvantis.Recipe(type="alpha", method="hit-count", filter="equalize", res=200,
                             steps=60_000, orbits=3, supersample=2, depth=16,
                             background=(10, 20, 30), palette=2)
    orvantis.save(recipe, tmp_path / "py.png", counts=tmp_path / "py.exr")
    for name in ("png", "exr"):
        assert (tmp_path / f"py.{name}").read_bytes() == (tmp_path / f"cli.{name}").read_bytes()
    assert orvantis.Recipe.from_png(tmp_path / "py.png") == recipe


def test_a_wide_transparent_toned_poster_as_the_command_draws_it(tmp_path, program):
    subprocess.run([program, "poster", "--type", "alpha", "--method", "hit-count", "--steps",
                    "100000", "--orbits", "3", "--size", "300x200", "--fit", "--margin", "10",
                    "--supersample", "2", "--gamma", "1.5", "--brightness", "2", "--background",
                    "transparent", "--quiet", "-o", tmp_path / "cli.png"], check=True,
                   env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
    recipe = orvantis.Recipe(type="alpha", method="hit-count", steps=100_000, orbits=3,
                             size=(300, 200), fit=True, margin=10, supersample=2, gamma=1.5,
                             brightness=2, background="transparent")
    assert orvantis.counts(recipe).shape == (400, 600)
    image = orvantis.image(recipe)
    assert (image.shape, image.dtype) == ((200, 300, 4), np.uint8)
    assert image[0, 0, 3] == 0 and image[..., 3].max() == 255
    orvantis.save(recipe, tmp_path / "py.png")
    assert (tmp_path / "py.png").read_bytes() == (tmp_path / "cli.png").read_bytes()
    assert orvantis.Recipe.from_png(tmp_path / "py.png") == recipe


def test_save_refuses_names_and_reports_files_it_cannot_write(tmp_path):
    recipe = orvantis.Recipe(**SMALL)
    with pytest.raises(ValueError) as refused:
        orvantis.save(recipe, tmp_path / "poster.jpg")
    assert str(refused.value) == f"-o: '{tmp_path}/poster.jpg' must end in .png: a poster is a PNG file"
    with pytest.raises(OSError) as unwritable:
        orvantis.save(recipe, tmp_path / "none" / "poster.png")
    assert str(unwritable.value).endswith(f"'{tmp_path}/none/poster.png': No such file or directory")
    with pytest.raises(ValueError, match=r"^--threads: '0' is not a number of threads"):
        orvantis.save(recipe, tmp_path / "poster.png", threads=0)
    assert os.listdir(tmp_path) == []


def test_a_grid_larger_than_memory_is_refused_before_any_work():
    recipe = orvantis.Recipe(type="alpha", method="hit-count", res=3_000_000, supersample=4)
    with pytest.raises(MemoryError, match=r"^--res 3000000 with --supersample 4 needs 536442.9 GiB"):
        orvantis.counts(recipe)


def test_exponent_of_the_start_up_sets():
    assert orvantis.exponent(orvantis.Recipe(type="alpha")) == 0.8398204705673098
    assert orvantis.exponent(orvantis.Recipe()) == 0.4868955665178308


def test_progress_is_reported_on_the_calling_thread_up_to_the_last_step():
    calls = []

    def progress(done, total):
        calls.append((done, total, threading.get_ident()))

    orvantis.counts(orvantis.Recipe(**SMALL), progress=progress)
    assert calls[-1] == (100_000, 100_000, threading.get_ident())
    assert {thread for _, _, thread in calls} == {threading.get_ident()}
    assert [done for done, _, _ in calls] == sorted(done for done, _, _ in calls)


def test_other_threads_run_while_a_render_is_under_way():
    render = threading.Thread(target=orvantis.counts,
                              args=(orvantis.Recipe(type="alpha", res=200, steps=10_000_000),))
    render.start()
    turns = 0
    while render.is_alive():
        turns += 1
        time.sleep(0.001)
    # Holding the GIL, the render would leave this thread a turn only when it ends.
    assert turns >= 10


def test_an_exception_in_progress_stops_the_render_and_is_raised():
    calls = []

    def stop(done, total):
        calls.append(done)
        raise ZeroDivisionError("enough")

    with pytest.raises(ZeroDivisionError, match="enough"):
        orvantis.counts(orvantis.Recipe(type="alpha", res=200, steps=4_000_000_000), progress=stop)
    assert len(calls) == 1 and calls[0] < 4_000_000_000


def test_a_progress_that_cannot_be_called_stops_the_render():
    with pytest.raises(TypeError, match="'int' object is not callable"):
        orvantis.counts(orvantis.Recipe(type="alpha", res=200, steps=4_000_000_000), progress=5)


def test_ctrl_c_stops_a_long_render():
    recipe = orvantis.Recipe(type="alpha", res=200, steps=4_000_000_000)
    interrupt = threading.Timer(0.3, os.kill, (os.getpid(), signal.SIGINT))
    interrupt.start()
    started = time.monotonic()
    with pytest.raises(KeyboardInterrupt):
        orvantis.counts(recipe, threads=2)
    # The whole render would take minutes.
    assert time.monotonic() - started < 5

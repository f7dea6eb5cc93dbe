# Sets found by explore's search, and the pictures of an animation.
import numpy as np
import pytest

import orvantis


def test_explore_finds_chaotic_sets_worth_showing_the_same_on_any_threads():
    progress = []
    sets = orvantis.explore(type="beta", count=3, seed=11, res=200, steps=50_000, threads=1,
                            progress=lambda found, asked: progress.append((found, asked)))
    assert len(sets) == 3 and progress[-1] == (3, 3)
    for found in sets:
        assert found.exponent >= 0.3 and 0.02 <= found.coverage <= 0.70
        assert orvantis.exponent(found) == pytest.approx(found.exponent, abs=0.05)
        assert (found.type, found.res, found.steps, found.orbits, found.method, found.filter) == (
            "beta", 200, 50_000, 8, "hit-count", "log")
    assert len({found.params for found in sets}) == 3
    again = orvantis.explore(type="beta", count=3, seed=11, res=200, steps=50_000, threads=2)
    assert again == sets
    assert [found.exponent for found in again] == [found.exponent for found in sets]


def test_explore_refuses_what_the_command_refuses():
    with pytest.raises(ValueError, match="^--params does not go with explore, which finds the sets$"):
        orvantis.explore(type="alpha", params=(1, 2, 3, 4))
    with pytest.raises(ValueError, match="^--count: '0' is not a number from 1 to 10000$"):
        orvantis.explore(type="alpha", count=0)
    with pytest.raises(TypeError, match="^seed: expected an int, not str$"):
        orvantis.explore(type="alpha", seed="1")


def test_frames_of_a_turn_start_at_the_recipe_and_move():
    recipe = orvantis.Recipe(type="alpha", res=200, steps=50_000, orbits=2)
    frames = orvantis.frames(recipe, turn="y", frames=4)
    pictures = list(frames)
    assert len(frames) == 4 and len(pictures) == 4
    assert (pictures[0] == orvantis.image(recipe)).all()
    assert not (pictures[1] == pictures[0]).all()


def test_filtered_frames_share_one_brightness_scale():
    recipe = orvantis.Recipe(type="alpha", res=200, steps=50_000, method="hit-count", filter="log")
    still = list(orvantis.frames(recipe, frames=3))
    # Without a move every frame is the same picture, and its scale is the probes' mean.
    assert (still[0] == still[1]).all() and (still[1] == still[2]).all()
    assert still[0].shape == (200, 200, 3) and still[0].dtype == np.uint8


def test_frames_refuse_what_animate_refuses():
    recipe = orvantis.Recipe(type="alpha")
    with pytest.raises(ValueError, match="^--frames F is needed: a number of frames from 2 to 9999$"):
        orvantis.frames(recipe, frames=1)
    with pytest.raises(ValueError, match="^--turn: 'w' is not x, y or z$"):
        orvantis.frames(recipe, turn="w", frames=2)
    with pytest.raises(ValueError, match="another attractor type"):
        orvantis.frames(recipe, to=orvantis.Recipe(type="beta"), frames=2)

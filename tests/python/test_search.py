# Sets found by explore's search, and the pictures of an animation.
import warnings

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


def test_eased_turn_is_slow_at_the_start_and_the_end():
    recipe = orvantis.Recipe(type="alpha", res=200, steps=50_000, orbits=2)
    pictures = list(orvantis.frames(recipe, turn="z", frames=4, ease=True))
    # Four frames at 0, 56.25, 180 and 303.75 degrees.
    assert (pictures[1] == orvantis.image(recipe.replace(rotation=(0, 0, 56.25)))).all()
    assert (pictures[3] == orvantis.image(recipe.replace(rotation=(0, 0, 303.75)))).all()


def test_a_morph_through_dead_sets_warns_unless_bent_through_chaotic_ones():
    first = orvantis.Recipe(type="alpha", res=200, steps=20_000, start=(0.1, 0.1), params=(
        -1.9654225287636953, -2.9719840083010345, -0.55367442854091009, 0.6471373638111515))
    last = first.replace(params=(2.4098330637531662, -0.73455000457777642,
                                 -0.85425122837000644, -0.75117496261482586))
    with pytest.warns(UserWarning) as caught:
        frames = orvantis.frames(first, to=last, frames=30)
    assert [str(w.message) for w in caught] == [
        "frames 10-23 of 30 leave chaos (Lyapunov exponent under 0.3) and may be near-black or "
        "flash; --keep-chaotic bends the path through chaotic sets"]
    with warnings.catch_warnings():
        warnings.simplefilter("error")
        kept = orvantis.frames(first, to=last, frames=30, keep_chaotic=True)
    assert (next(kept) == next(frames)).all()
    with pytest.raises(TypeError, match="^keep_chaotic: expected a bool, not int$"):
        orvantis.frames(first, to=last, frames=30, keep_chaotic=1)


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

# Recipes made from the poster's options by name, compared, copied with
# changes and read from and written to files, and the options refused with
# the command line's messages.
import errno
import warnings

import numpy as np
import pytest

import orvantis


def test_options_by_name_give_every_value_of_the_recipe():
    recipe = orvantis.Recipe(type="beta", params=(1.5, -2.25, 0.5, 1), start=(0.25, 0.75),
                             rotation=(10, 20, 30), order="ZYX", view=(-2, 2, -1.5, 1.5),
                             res=321, method="hit-count", background=(10, 20, 30), palette=2,
                             ghost=True, filter="log-squared", steps=123_456, orbits=7,
                             supersample=3, depth=16)
    assert recipe.options() == {
        "type": "beta", "params": (1.5, -2.25, 0.5, 1.0), "start": (0.25, 0.75),
        "rotation": (10.0, 20.0, 30.0), "order": "ZYX", "view": (-2.0, 2.0, -1.5, 1.5),
        "res": 321, "method": "hit-count", "background": (10, 20, 30), "palette": 2,
        "ghost": True, "filter": "log-squared", "steps": 123_456, "orbits": 7,
        "supersample": 3, "depth": 16, "exact_orbits": False}
    assert (recipe.type, recipe.res, recipe.filter, recipe.exponent) == ("beta", 321,
                                                                         "log-squared", None)
    assert (recipe.size, recipe.gamma, recipe.de) == ((321, 321), None, None)
    # New recipes run orbits 1 and on on the vector unit; the exact orbits
    # are asked for, and a recipe without the arithmetic has them.
    exact = recipe.replace(exact_orbits=True)
    assert (exact.exact_orbits, exact != recipe) == (True, True)
    assert exact.replace(exact_orbits=False) == recipe


def test_size_tone_and_transparency_by_name():
    recipe = orvantis.Recipe(type="alpha", view=(-3, 3, -2, 2), size="300x200", brightness=2,
                             gamma=1.5, vibrancy=0.5, highlight=0.25, de=3,
                             background="transparent", fit=False)
    options = recipe.options()
    assert "res" not in options and options["view"] == (-3.0, 3.0, -2.0, 2.0)
    assert {name: options[name] for name in ("size", "brightness", "gamma", "vibrancy",
                                             "highlight", "de", "background")} == {
        "size": (300, 200), "brightness": 2.0, "gamma": 1.5, "vibrancy": 0.5, "highlight": 0.25,
        "de": 3, "background": "transparent"}
    assert (recipe.res, recipe.size) == (300, (300, 200))
    assert orvantis.Recipe(type="alpha", view=(-3, 3, -2, 2), size=(300, 200), brightness=2,
                           gamma=1.5, vibrancy=0.5, highlight=0.25, de=3,
                           background="transparent") == recipe
    # The view grows about its centre to the picture's shape; a tone map
    # without density estimation has no de.
    wide = orvantis.Recipe(type="alpha", view=(-1, 1, -1, 1), size=(400, 200), gamma=2.2)
    assert (wide.view, wide.brightness, wide.de) == ((-2.0, 2.0, -1.0, 1.0), 1.0, None)


def test_options_not_given_are_the_start_up_picture():
    recipe = orvantis.Recipe(type="alpha")
    assert recipe.params == (-1.804285, -2.513108, 0.957945, 0.0)
    assert recipe.view == (-3.5, 3.5, -3.5, 3.5)
    assert (recipe.res, recipe.steps, recipe.orbits, recipe.method, recipe.filter,
            recipe.palette, recipe.background) == (600, 5_000_000, 64, "speed", None, 1,
                                                   (255, 245, 230))
    assert orvantis.Recipe(type=1) == recipe


def test_equality_hash_and_repr_that_makes_the_recipe_again():
    recipe = orvantis.Recipe(type="gamma", params=(0.1, 1 / 3, -0.7, 0.9), size=(250, 300),
                             ghost=True, gamma=1.5, background="transparent")
    again = eval(repr(recipe), {"orvantis": orvantis})
    assert again == recipe and hash(again) == hash(recipe)
    assert recipe != recipe.replace(size=(251, 300))
    assert recipe != "a recipe"
    assert len({recipe, again, recipe.replace(steps=9)}) == 2


def test_replace_reads_the_named_options_again_and_keeps_the_others():
    recipe = orvantis.Recipe(type="alpha", method="hit-count", filter="log", res=300,
                             params=(1, 2, 0.5, 0.25), palette=2)
    assert recipe.replace(res=400) == orvantis.Recipe(type="alpha", method="hit-count",
                                                      filter="log", res=400,
                                                      params=(1, 2, 0.5, 0.25), palette=2)
    assert recipe.replace(filter=None).filter is None
    # The search runs for the recipe's type, as --random with its --type.
    assert recipe.replace(random=5).params == orvantis.Recipe(type="alpha", random=5).params
    with pytest.raises(ValueError, match=r"^--filter needs the Hit Count colouring method"):
        recipe.replace(method="speed")
    with pytest.raises(ValueError, match=r"^--res: 5 is out of range$"):
        recipe.replace(res=5)


def test_replace_of_size_tone_and_background_keeps_the_rest():
    recipe = orvantis.Recipe(type="alpha", params=(1, 2, 0.5, 0.25), view=(-1, 1, -1, 1),
                             brightness=3)
    wide = recipe.replace(size=(400, 200))
    assert (wide.size, wide.view, wide.params) == ((400, 200), (-2.0, 2.0, -1.0, 1.0),
                                                    (1.0, 2.0, 0.5, 0.25))
    # Framing sees the recipe's set.
    assert wide.replace(fit=True) == orvantis.Recipe(type="alpha", params=(1, 2, 0.5, 0.25),
                                                     size=(400, 200), fit=True, brightness=3)
    assert wide.replace(fit=True).view != wide.view
    square = wide.replace(res=300)
    assert (square.size, "size" in square.options()) == ((300, 300), False)
    # Another tone setting keeps the recipe's; the first one starts the tone map.
    assert (recipe.replace(gamma=3).brightness, recipe.replace(gamma=3).gamma) == (3.0, 3.0)
    assert orvantis.Recipe(type="alpha").replace(de=2).options()["gamma"] == 2.2
    clear = recipe.replace(background="transparent")
    assert clear.background == "transparent"
    assert clear.replace(background=(1, 2, 3)).background == (1, 2, 3)
    assert clear.replace(background=(1, 2, 3)) == recipe.replace(background=(1, 2, 3))


def test_a_palette_given_as_entries():
    entries = np.arange(768, dtype=np.int64).reshape(256, 3) % 256
    recipe = orvantis.Recipe(palette=entries)
    assert recipe.palette.dtype == np.uint8 and (recipe.palette == entries).all()
    assert orvantis.Recipe(palette=entries.tolist()) == recipe


def test_parameter_file_written_and_read_again(tmp_path):
    recipe = orvantis.Recipe(type="beta", params=(1.25, -0.5, 0.75, -1), rotation=(5, 0, 90),
                             background=(1, 2, 3))
    recipe.to_gan(tmp_path / "set.gan")
    read = orvantis.Recipe.from_gan(str(tmp_path / "set.gan"))
    assert (read.type, read.params, read.rotation, read.background) == (
        "beta", (1.25, -0.5, 0.75, -1.0), (5.0, 0.0, 90.0), (1, 2, 3))
    assert orvantis.Recipe(gan=tmp_path / "set.gan") == read


def test_a_set_that_may_not_be_chaotic_warns_as_the_command_line_does():
    with pytest.warns(UserWarning) as caught:
        orvantis.Recipe(params=(0, 0, 0, 0))
    assert [str(w.message) for w in caught] == [
        "Lyapunov exponent: -33.219257: the attractor may not be chaotic enough to produce "
        "an appealing image"]
    with warnings.catch_warnings():
        warnings.simplefilter("error")
        orvantis.Recipe(type="alpha", params=(-1.804285, -2.513108, 0.957945, 0))


@pytest.mark.parametrize("options, kind, message", [
    ({"res": 100}, ValueError, "--res: 100 is out of range"),
    ({"type": "delta"}, ValueError, "--type: 'delta' is not one of standard, alpha, beta, gamma"),
    ({"method": "fast"}, ValueError, "--method: 'fast' is not one of speed, hit-count, z-plane"),
    ({"params": (1, 2, 3)}, ValueError, "--params needs 4 numbers separated by commas, not '1,2,3'"),
    ({"params": (1, 2, 3, float("nan"))}, ValueError, "--params: 'nan' is not a number"),
    ({"filter": "log"}, ValueError,
     "--filter needs the Hit Count colouring method (--method hit-count)"),
    ({"orbits": 0}, ValueError, "--orbits: '0' is not a number of orbits from 1 to 65536"),
    ({"supersample": 5}, ValueError, "--supersample: '5' is not 1, 2, 3 or 4"),
    ({"depth": 12}, ValueError, "--depth: '12' is not 8 or 16"),
    ({"steps": 2**63}, ValueError, "--steps: a poster takes at most 9223372036854775807 steps"),
    ({"steps": -1}, ValueError, "--steps: '-1' is not a whole number of steps"),
    ({"random": 2**32}, ValueError, "--random: '4294967296' is not a seed from 0 to 4294967295"),
    ({"palette": np.zeros((255, 3), int)}, ValueError,
     "palette: 256 entries of red, green and blue are needed, not the shape (255, 3)"),
    ({"palette": np.full((256, 3), 256)}, ValueError, "palette: 256 is not a level from 0 to 255"),
    ({"gamma": 0}, ValueError, "--gamma: '0' is not a gamma from 0.1 to 10"),
    ({"brightness": -1}, ValueError, "--brightness: '-1' is not a brightness above 0 and at most 100"),
    ({"vibrancy": float("nan")}, ValueError, "--vibrancy: 'nan' is not a vibrancy from 0 to 1"),
    ({"de": 0}, ValueError, "--de: '0' is not a radius of 1 to 20 fine pixels"),
    ({"size": "0x5"}, ValueError,
     "--size: '0x5' is not WIDTHxHEIGHT in pixels, each from 200 to 1000000000"),
    ({"size": (300, 200, 100)}, ValueError,
     "--size: '300x200x100' is not WIDTHxHEIGHT in pixels, each from 200 to 1000000000"),
    ({"margin": 60}, ValueError, "--margin: '60' is not a margin from 0 to 40 percent"),
    ({"size": (300, 200), "res": 300}, ValueError,
     "--size and --res both give the picture's size; give one of them"),
    ({"fit": False, "margin": 5}, ValueError,
     "--margin frames the set; it cannot be combined with --no-fit"),
    ({"fit": True, "view": (-1, 1, -1, 1)}, ValueError,
     "--fit chooses the view itself; it cannot be combined with --view"),
    ({"method": "hit-count", "filter": "log", "gamma": 2}, ValueError,
     "--filter cannot be combined with --brightness, --gamma, --vibrancy, --highlight or --de, "
     "which choose the log-density tone map"),
    ({"background": "clear"}, ValueError,
     "--background needs 3 numbers separated by commas, not 'clear'"),
    ({"size": (300, 200.0)}, TypeError, "size: expected an int, not float"),
    ({"size": 300}, TypeError, "size: expected 'WIDTHxHEIGHT' or (width, height), not int"),
    ({"fit": 1}, TypeError, "fit: expected a bool, not int"),
    ({"gamma": "2"}, TypeError, "gamma: expected a number, not str"),
    ({"de": 2.5}, TypeError, "de: expected an int, not float"),
    ({"res": "400"}, TypeError, "res: expected an int, not str"),
    ({"steps": 1e6}, TypeError, "steps: expected an int, not float"),
    ({"params": (1, "2", 3, 4)}, TypeError, "params: expected numbers, not str"),
    ({"view": 4.0}, TypeError, "view: expected a sequence of numbers, not float"),
    ({"ghost": 1}, TypeError, "ghost: expected a bool, not int"),
    ({"res": True}, TypeError, "res: expected an int, not bool"),
    ({"palette": np.zeros((256, 3))}, TypeError,
     "palette: the entries must be whole numbers, not float64"),
    ({"colour": 1}, TypeError, "Recipe() got an unexpected keyword argument 'colour'"),
])
def test_refused_options(options, kind, message):
    with pytest.raises(kind) as refused:
        orvantis.Recipe(**options)
    assert str(refused.value) == message


def test_files_that_cannot_be_read(tmp_path):
    with pytest.raises(FileNotFoundError) as missing:
        orvantis.Recipe(palette=str(tmp_path / "none.map"))
    assert missing.value.errno == errno.ENOENT
    assert missing.value.strerror == (f"cannot read the palette file '{tmp_path}/none.map': "
                                      "No such file or directory")
    (tmp_path / "short.gan").write_bytes(b"12")
    with pytest.raises(ValueError, match=r"^'.*short.gan' is not a parameter file: it is shorter"):
        orvantis.Recipe.from_gan(tmp_path / "short.gan")
    (tmp_path / "plain.png").write_bytes(b"not a picture")
    with pytest.raises(ValueError, match=r"^'.*plain.png' cannot be rendered again: "):
        orvantis.Recipe.from_png(tmp_path / "plain.png")
    with pytest.raises(FileNotFoundError):
        orvantis.Recipe.from_png(tmp_path / "none.png")
    with pytest.raises(OSError):
        orvantis.Recipe().to_gan(tmp_path / "no folder" / "set.gan")


def test_the_type_stubs_name_what_the_module_has():
    import ast
    import os
    stubs = os.path.join(os.path.dirname(orvantis.__file__), "orvantis.pyi")
    with open(stubs) as text:
        tree = ast.parse(text.read())
    named = {node.name for node in tree.body if isinstance(node, (ast.FunctionDef, ast.ClassDef))}
    public = {name for name in dir(orvantis) if not name.startswith("_")}
    assert named == public
    recipe = next(node for node in tree.body if getattr(node, "name", "") == "Recipe")
    stubbed = {node.name for node in recipe.body if isinstance(node, ast.FunctionDef)}
    assert {name for name in dir(orvantis.Recipe) if not name.startswith("_")} <= stubbed

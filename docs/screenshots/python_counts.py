# The user guide's Python example, drawn at the size of its figure: the
# counts of a recipe under one of matplotlib's colour maps.
import sys

import matplotlib.pyplot as plt
import numpy as np

import orvantis

recipe = orvantis.Recipe(type="alpha", method="hit-count", res=360, steps=6_000_000)
counts = orvantis.counts(recipe)
plt.imsave(sys.argv[1], np.log1p(counts), cmap="magma")

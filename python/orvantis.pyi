"""Strange attractors rendered by the studio of WJ Orvantis."""

import os
from typing import Any, Callable, Iterator, Literal, Optional, Sequence, Union

import numpy as np
import numpy.typing as npt

_Path = Union[str, os.PathLike[str]]
_Progress = Optional[Callable[[int, int], Any]]
_Type = Union[Literal["standard", "alpha", "beta", "gamma"], int]
_Method = Literal["speed", "hit-count", "z-plane"]
_Filter = Literal["normalize", "equalize", "log", "log-squared"]
_Order = Literal["XYZ", "XZY", "YXZ", "YZX", "ZXY", "ZYX"]
_Palette = Union[Literal[1, 2], _Path, npt.ArrayLike]

class Recipe:
    """Everything that makes a poster, as a value."""

    def __init__(
        self,
        *,
        gan: Optional[_Path] = ...,
        type: Optional[_Type] = ...,
        params: Optional[Sequence[float]] = ...,
        start: Optional[Sequence[float]] = ...,
        rotation: Optional[Sequence[float]] = ...,
        order: Optional[_Order] = ...,
        view: Optional[Sequence[float]] = ...,
        res: Optional[int] = ...,
        method: Optional[_Method] = ...,
        background: Optional[Union[Sequence[int], Literal["transparent"]]] = ...,
        palette: Optional[_Palette] = ...,
        ghost: bool = ...,
        exact_orbits: bool = ...,
        random: Optional[int] = ...,
        filter: Optional[_Filter] = ...,
        steps: Optional[int] = ...,
        orbits: Optional[int] = ...,
        supersample: Optional[int] = ...,
        depth: Optional[Literal[8, 16]] = ...,
        size: Optional[Union[str, tuple[int, int]]] = ...,
        fit: Optional[bool] = ...,
        margin: Optional[float] = ...,
        brightness: Optional[float] = ...,
        gamma: Optional[float] = ...,
        vibrancy: Optional[float] = ...,
        highlight: Optional[float] = ...,
        de: Optional[int] = ...,
    ) -> None: ...
    @property
    def type(self) -> str: ...
    @property
    def params(self) -> tuple[float, float, float, float]: ...
    @property
    def start(self) -> tuple[float, float]: ...
    @property
    def rotation(self) -> tuple[float, float, float]: ...
    @property
    def order(self) -> str: ...
    @property
    def view(self) -> tuple[float, float, float, float]: ...
    @property
    def res(self) -> int: ...
    @property
    def method(self) -> str: ...
    @property
    def background(self) -> Union[tuple[int, int, int], Literal["transparent"]]: ...
    @property
    def palette(self) -> Union[int, npt.NDArray[np.uint8]]: ...
    @property
    def ghost(self) -> bool: ...
    @property
    def exact_orbits(self) -> bool: ...
    @property
    def filter(self) -> Optional[str]: ...
    @property
    def steps(self) -> int: ...
    @property
    def orbits(self) -> int: ...
    @property
    def supersample(self) -> int: ...
    @property
    def depth(self) -> int: ...
    @property
    def size(self) -> tuple[int, int]: ...
    @property
    def brightness(self) -> Optional[float]: ...
    @property
    def gamma(self) -> Optional[float]: ...
    @property
    def vibrancy(self) -> Optional[float]: ...
    @property
    def highlight(self) -> Optional[float]: ...
    @property
    def de(self) -> Optional[int]: ...
    @property
    def exponent(self) -> Optional[float]: ...
    @property
    def coverage(self) -> Optional[float]: ...
    def options(self) -> dict[str, Any]: ...
    def replace(self, **changes: Any) -> Recipe: ...
    @staticmethod
    def from_gan(path: _Path) -> Recipe: ...
    @staticmethod
    def from_png(path: _Path) -> Recipe: ...
    def to_gan(self, path: _Path) -> None: ...
    def __eq__(self, other: object) -> bool: ...
    def __hash__(self) -> int: ...

class Frames:
    """The pictures of an animation, drawn one by one."""

    def __iter__(self) -> Iterator[npt.NDArray[Any]]: ...
    def __next__(self) -> npt.NDArray[Any]: ...
    def __len__(self) -> int: ...

def counts(
    recipe: Recipe, *, threads: Optional[int] = None, progress: _Progress = None
) -> npt.NDArray[np.uint32]: ...
def values(
    recipe: Recipe, *, threads: Optional[int] = None, progress: _Progress = None
) -> npt.NDArray[np.float64]: ...
def image(
    recipe: Recipe, *, threads: Optional[int] = None, progress: _Progress = None
) -> npt.NDArray[Union[np.uint8, np.uint16]]: ...
def save(
    recipe: Recipe,
    path: _Path,
    *,
    threads: Optional[int] = None,
    progress: _Progress = None,
    counts: Optional[_Path] = None,
) -> None: ...
def exponent(recipe: Recipe) -> float: ...
def explore(
    *,
    type: _Type,
    count: int = 12,
    seed: int = 1,
    threads: Optional[int] = None,
    progress: _Progress = None,
    **options: Any,
) -> list[Recipe]: ...
def frames(
    recipe: Recipe,
    *,
    to: Optional[Recipe] = None,
    turn: Optional[Literal["x", "y", "z", "X", "Y", "Z"]] = None,
    frames: int,
    ease: bool = False,
    keep_chaotic: bool = False,
    threads: Optional[int] = None,
) -> Frames: ...

"""choice: a net loose along a whole side, and only one tack.

Level net's slide, net and basket, but the net is pinned at two
corners only, both on the side away from the camera (-z), and the player holds
a single tack. Left alone, the net drops the ball at once. Tacked near either
loose corner, it twists and pours the ball out sideways; tacked out from the
middle of its loose side (a little towards the slide's end) and pulled
towards the basket, it catches the ball and tips it over its far edge into
the basket; pulled the other way, towards the slide's end, it does not. One
tack, so the player has to choose the spot. The loose side is striped red.
"""
from levels import net

NAME = "choice"
HINT = "Tack the stripes' middle a short way towards the bubble."

# The columns striped red on the level's cloth: the loose side's part of the
# net, from this column fraction on.
LOOSE_MARK = 0.7


def build():
    # Pinned only at the two corners of column 0, the side away from the camera (-z).
    level = net.build_with_pins(NAME, HINT, [(0, 0), (net.NET_ROWS - 1, 0), (0, 0), (net.NET_ROWS - 1, 0)])
    level.mark_cloth(lambda u, v: u >= LOOSE_MARK)
    return level

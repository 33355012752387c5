"""choice: a net loose along a whole side, and only one tack.

Level net's slide and net, with its basket moved in under the net's far
part; the net is pinned at two corners only, both on the side away from the
camera (-z), and the player holds a single tack. Left alone, the net drops
the ball at once. Tacked near either loose corner, it twists and pours the
ball out sideways; tacked out from the middle of its loose side (a little
towards the slide's end) and pulled towards the basket, it catches the ball
and tips it over its far edge into the basket; pulled the other way, towards
the slide's end, it does not. One tack, so the player has to choose the
spot. The loose side is striped red.
"""
from levels import net

NAME = "choice"
HINT = "Tack the striped side's middle out towards the bubble."

# The columns striped red on the level's cloth: the loose side's part of the
# net, from this column fraction on.
LOOSE_MARK = 0.7


# Net's basket moved this much towards the slide's end, in under the net's far
# part: the tacks that finish now range from a short pull to one nearly onto
# the bubble (30 of 90 pulls of the loose side's middle, by time, length and
# direction, against 23 with net's basket). New players pulled the stripes
# onto the bubble, which left the ball short of net's basket.
BASKET_SHIFT = 0.45
BASKET = [(x + BASKET_SHIFT, z, y, half, rim) for x, z, y, half, rim in net.BASKET]


def build():
    # Pinned only at the two corners of column 0, the side away from the camera (-z).
    level = net.build_with_pins(NAME, HINT, [(0, 0), (net.NET_ROWS - 1, 0), (0, 0), (net.NET_ROWS - 1, 0)], BASKET)
    level.mark_cloth(lambda u, v: u >= LOOSE_MARK)
    return level

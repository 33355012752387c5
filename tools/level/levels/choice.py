"""choice: the ball waits; tack the way first, then tip the ball onto it.

The ball drops into a small hammock at the head of level net's slide and
rests there: nothing moves until the player tips it out (grab the cloth under
the ball and pull it down the screen, as on the first level). Below the
slide's end hangs net's net, pinned at two corners only, both on the side away
from the camera (-z), with the basket in under its far part; the player holds
a single tack. Left alone, the net drops the ball at once. Tacked near either
loose corner, it twists and pours the ball out sideways; tacked out from the
middle of its loose side (a little towards the slide's end) and pulled
towards the basket, it catches the ball and tips it over its far edge into
the basket. Since the ball waits, the player can tack, look at the net's
shape, and start again with Enter before the ball has moved. The loose side
is striped red; one picture spans every grid, so the hammock's same columns
are striped too, where they drape over the slide's wall.
"""
from levels import net, relay

NAME = "choice"
HINT = "Tack the net's stripes onto the bubble, then tip the ball."

# The columns striped red on the level's cloth: the loose side's part of the
# net, from this column fraction on. The same columns of the hammock drape over
# the slide's wall, where they show little; with more of them striped, new
# players took the hammock's stripes for the ones to tack.
LOOSE_MARK = 0.8

# Net's basket moved this much towards the slide's end, in under the net's far
# part: the tacks that finish range from a short pull to one nearly onto the
# bubble. New players pulled the stripes onto the bubble, which left the ball
# short of net's basket. The basket's walls are solid, so a ball tipped off the
# net has to clear the near rim: 0.45 in, 24 of a measured grid of 90 tacks
# finished (35 when the ball could pass through the wall), 0.52 in, 30. Further
# in, the untacked net drops more gently tipped balls into the basket.
BASKET_SHIFT = 0.52
BASKET = [(x + BASKET_SHIFT, z, y, half, rim) for x, z, y, half, rim in net.BASKET]

# The hammock: relay's, smaller (rows after HAMMOCK_PIN are a short flap over
# the slide). It hangs inside the slide's head, so a ball tipped out of it
# rolls down the slide; only a hard yank throws it over the walls.
HAMMOCK_SIZE, HAMMOCK_PIN = 11, 7

# Net's slide with its first two points raised this much: a ball tipped gently
# out of the hammock starts from rest, and on net's gentler head it could come
# to rest at the first bend, a run that never ends (6 of 60 slow tips did, none
# on this head). The quicker ball now and then flies over the net into the
# basket.
HEAD_RAISE = (0.2, 0.1)
SLIDE = [(x, z, y + up, half, rim) for (x, z, y, half, rim), up in zip(net.SLIDE, HEAD_RAISE)] + net.SLIDE[len(HEAD_RAISE):]


def build():
    # The net is pinned only at the two corners of column 0, away from the camera (-z).
    level = net.build_with_pins(NAME, HINT, [(0, 0), (net.NET_ROWS - 1, 0), (0, 0), (net.NET_ROWS - 1, 0)], BASKET, SLIDE)
    relay.hammock_grid(level, relay.under_the_ball(HAMMOCK_SIZE, HAMMOCK_PIN), HAMMOCK_SIZE, HAMMOCK_PIN)
    level.mark_cloth(lambda u, v: u >= LOOSE_MARK)
    return level

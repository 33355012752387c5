"""leap: the trough lies beyond a gap; fling the ball over it.

The second level's layout (the hammock turned so its free flap hangs on the
left of the start view), but its trough has moved out: between the flap's
end and the trough's near rim there is a gap, and a ball that only rolls off
the flap drops into it. A quick, firm pull throws the ball across; the
board on the trough's far rim stops it if it flies too far. The channel then
runs on behind the start camera past the bubbles, as on the second level.
"""
from levelkit import BALL_START, Level
from levels import hammock, turn

NAME = "leap"
HINT = "A gap under the flap: pull hard and fling the ball over."

GAP_CENTRE = 1.5  # z of the catching stretch's middle line (the second level's: 0.4)
BOARD_TOP = 5.5


def build():
    course = [(x, GAP_CENTRE if i < 2 else z, y, w, h) for i, (x, z, y, w, h) in enumerate(turn.COURSE)]
    level = Level(NAME, HINT, "assets/levels/" + NAME)
    hammock.add_cloth(level)
    level.quarter_turn((BALL_START[0], BALL_START[2]))
    hammock.add_course(level, course, BOARD_TOP)
    level.checkpoints = hammock.bubbles_along(course, turn.BUBBLE_DISTANCES)
    level.use_tacks(3)
    return level

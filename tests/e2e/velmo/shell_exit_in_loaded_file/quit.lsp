(echo quitting)
(exit)
(echo not this)

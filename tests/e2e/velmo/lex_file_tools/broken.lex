(b (x))
(a (y)

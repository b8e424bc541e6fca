; a few entries in no order
(dog (n) (v))
(Bird (n))
(cat (n))
(dog (v) (adj))
(cat (n))
(ant (n))

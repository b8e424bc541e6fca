(bird (v))
(cow (n))
(dog (n))

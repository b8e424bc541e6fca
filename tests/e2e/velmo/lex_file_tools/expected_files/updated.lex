(ant
 (n)
 )
(bird (v))
(cat
 (n)
 )
(cow (n))
(dog (n))

(ant
 (n)
 )
(Bird
 (n)
 (v)
 )
(cat
 (n)
 )
(cow (n))
(dog
 (n)
 (v)
 (adj)
 (n)
 )

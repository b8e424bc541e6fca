(ant (n))
(bird
   (N))
(cat (n)
 )
(dog (n) (v)
     (adj))

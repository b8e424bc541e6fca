(echo loaded a)

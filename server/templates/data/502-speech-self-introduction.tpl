# Pennova writing template (our own text)
id: 502
kind: high
category: 演讲稿|Speeches
name: 竞选演讲稿|Election speech for a student post
description: 适用于竞选班干部、学生会职务的演讲。问候后说明竞选的职位，介绍自己的能力和经验，提出具体计划，最后请求大家投票。
title: Why I Want to Be [标题中的职位，如 the Monitor of Our Class] || 我为什么想当[标题中的职位，如 the Monitor of Our Class]

[block]
Good afternoon, everyone. || 大家下午好。
My name is [姓名，如 Li Hua], and I am running for [职位，如 class monitor]. || 我叫[姓名，如 Li Hua]，我要竞选[职位，如 class monitor]。
[alternative]
Dear classmates, thank you for giving me this chance. || 亲爱的同学们，谢谢你们给我这个机会。
Today I want to be your [职位，如 class monitor]. || 今天我想成为你们的[职位，如 class monitor]。

[block]
I believe I am the right person for this job. || 我相信我是这份工作的合适人选。
I am [性格，如 friendly, patient and organised]. || 我[性格，如 friendly, patient and organised]。
Last year, I [经验，如 organised our class trip to the science museum]. || 去年，我[经验，如 organised our class trip to the science museum]。
[alternative]
You may already know me as [身份，如 the girl who always helps with the blackboard]. || 你们可能已经知道我是[身份，如 the girl who always helps with the blackboard]。
I enjoy serving others, and I do not mind hard work. || 我乐于为他人服务，也不怕辛苦。

[block]
If I am elected, I will do three things. || 如果我当选，我会做三件事。
First, I will [计划一，如 set up a study group for students who need help]. || 第一，我会[计划一，如 set up a study group for students who need help]。
Second, I will [计划二，如 hold a class meeting every month to hear your ideas]. || 第二，我会[计划二，如 hold a class meeting every month to hear your ideas]。
Third, I will [计划三，如 plan more outdoor activities]. || 第三，我会[计划三，如 plan more outdoor activities]。

[block]
I cannot promise to be perfect, but I promise to do my best. || 我不能保证做到完美，但我保证尽我所能。
Please vote for me. || 请投我一票。
Thank you! || 谢谢！
[alternative]
With your support, I am sure we can make our class even better. || 有了你们的支持，我相信我们能让班级变得更好。
Thank you very much. || 非常感谢。

[common]
I am ready to take on this job. || 我已经准备好承担这项工作。
I will listen to every one of you. || 我会倾听你们每一个人的意见。
Our class is like a big family. || 我们班就像一个大家庭。
I know this job is not easy. || 我知道这份工作并不容易。
I will learn from my mistakes. || 我会从错误中学习。
I hope to win your trust. || 我希望赢得你们的信任。
Together we can do great things. || 我们一起可以做成大事。
Thank you for your support. || 谢谢你们的支持。
